#pragma once
#include "marks/TMark.h"
#include "marks/TMarkNoteEditor.h"
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <functional>
#include <memory>

class TMainForm;
class TMarkStore;
class TMarksTransfer;
class TWebBrowser;
class QRect;

// The reader's marks in the reading window: the book's marks file, the marks drawn over the
// book page on show, what the page's menu and the keys do with a selection or a mark, the
// note editor and the list of marks. The rules live in the plain classes it calls (the
// store, TMarkAnchor for finding a mark again, TMarksLayer for the drawing); this class
// only ties them to the window.
//   Ctrl+H          marks the selection in the style last used (yellow at first)
//   Ctrl+Shift+C    copies the selection with its citation
//   F7              the keyboard's caret on the page (TMarksLayer); Shift+arrows select
// Marks belong to book pages: the result page of a search shows the marks of the page it
// shows, and a mark made there is the book page's; contents, index and other pages have
// none. The marks file is read once, after the start menu is on screen (Load), or when a
// mark is first needed; it is written a moment after each change and on the way out. A
// problem with the file is told once: at once, or, when the marks folder cannot be written
// and there are no marks yet, with the reader's first mark.
class TReaderMarks : public QObject {
    Q_OBJECT
public:
    explicit TReaderMarks(TMainForm &form);
    ~TReaderMarks() override;

    // Reads the marks file (once); its problem, if any, is told once.
    void Load();
    TMarkStore &Store();
    void SetNight(bool night);

    // The book page the view shows, or 0 for a page that holds no marks: a page file of
    // the book's, or the result page, which shows the current page.
    static int BookPageOf(const QUrl &shown);
    int ShownPage() const { return FShownPage; }
    // The live marks of a page, in page order.
    QList<TMark> MarksOf(int page);
    // True once the mark was looked for on its page as shown and not found there.
    bool IsLost(const QString &id) const { return FLost.contains(id); }

    // What the menu and the keys do.
    void MarkSelection(TMark::TStyle style, bool withNote);
    void CopyWithCitation(const QString &selected, const QString &markId);
    void Restyle(const QString &id, TMark::TStyle style);
    void EditNote(const QString &id);
    void Remove(const QString &id);
    // Brings back the last mark removed; false when none is left to bring back.
    bool UndoRemove();
    static constexpr int KeptRemovals = 20;

    // Shows the mark's page, scrolled to the passage, which flashes a moment.
    void Open(const QString &id);

    // The copy of a page's body for print, with the page's marks written in.
    QString PrintBody(const QString &pageFile, const QString &body);

    TMarkNoteEditor *Editor() const { return FEditor; }
    TMainForm &Form() const { return FForm; }
    // Raised when the marks of the page just shown are drawn (none to draw counts too).
    std::function<void(int page)> OnPageMarked;

private:
    void PageLoaded(TWebBrowser *view);
    void Redraw();
    void FindAndDraw(int page, int drawing, const QList<TMark> &marks, const QJsonObject &read);
    void Drawn(int page);
    void Changed();
    void AddMenuPart();
    // The mark the menu was asked for on: under the pointer, else around the selection.
    QString MarkAt(const QString &attribute, int start, int end) const;
    void OpenEditor(const QString &id, const QRect &beside);
    void PlaceEditor(const QString &id);
    void Tell(const QString &problem);

    TMainForm &FForm;
    std::unique_ptr<TMarkStore> FStore;
    bool FLoaded = false;
    QString FHeldProblem;  // told with the reader's first change
    bool FNight = false;
    int FShownPage = 0;
    int FDrawing = 0;         // the drawing now asked for; an older answer is dropped
    bool FRedrawAsked = false;
    QString FShowWhenDrawn;   // a mark to show once its page is drawn
    QHash<QString, std::pair<int, int>> FDrawn;  // where the shown page's marks are drawn
    QSet<QString> FLost;
    QHash<int, QList<TMark>> FByPage;  // built from the store when first asked after a change
    bool FByPageStale = true;
    QList<TMark> FRemoved;             // the last removals, the latest last
    TMark::TStyle FLastStyle = TMark::msYellow;
    std::unique_ptr<TMarksTransfer> FTransfer;
    QPointer<TMarkNoteEditor> FEditor;
};

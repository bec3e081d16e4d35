#pragma once
#include <QColor>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QtPlugin>
#include <functional>

class QDialog;
class QObject;
class QPoint;
class QWidget;
class QPrinter;
class QPageLayout;

// The browser engine's side of the HTML view. It lives in a module that the program
// loads at run time, so the program starts and shows its start menu without the
// engine's libraries. TWebBrowser holds one engine view per view and keeps every rule
// (which loads are reported, zoom levels, the crash reload); the engine view only does
// what it is told and reports what happened.
class THtmlEngineView {
public:
    virtual ~THtmlEngineView() = default;
    // The engine's own widget; the caller makes it a child of the view.
    virtual QWidget *Widget() = 0;
    virtual void Load(const QUrl &url) = 0;
    virtual void Reload() = 0;
    virtual QUrl Url() const = 0;
    virtual void SetZoomFactor(double factor) = 0;
    virtual double ZoomFactor() const = 0;
    virtual void SelectAll() = 0;
    virtual void Copy() = 0;
    virtual QString SelectedText() const = 0;
    // The engine draws the page as for a view on screen although the view is hidden: its
    // render process works at full priority and keeps its drawing set up, so the view's
    // next show starts from a drawn page. The view's own next hide ends it.
    virtual void DrawWhileHidden() = 0;
    // What the reader lays over every page the view shows from now on, the one shown
    // included: a style sheet for the screen and a script run as each document is made,
    // both in a script world of their own that the page's own scripts never see; empty
    // for none. background is what shows where no page paints.
    virtual void SetOverlay(const QString &css, const QString &script, const QColor &background) = 0;
    // The object the overlay's script reaches as the web channel object "ketab" (its
    // invokable methods), for what the page tells the program.
    virtual void SetBridge(QObject *bridge) = 0;
    // Runs script in the shown page, in the page's own world or the overlay's; done, when
    // given, gets its value.
    virtual void RunScript(const QString &script, std::function<void(const QVariant &)> done) = 0;
    virtual void RunOverlayScript(const QString &script, std::function<void(const QVariant &)> done) = 0;
    // On: the engine shows no menu of its own on a right click or the menu key, and
    // OnContextMenu is raised instead.
    virtual void SetOwnContextMenu(bool on) = 0;
    // Both start the job and return; done(ok) follows once the engine has finished, however
    // long that takes. The engine uses the printer until then and offers no way to stop.
    virtual void Print(QPrinter *printer, std::function<void(bool ok)> done) = 0;
    virtual void PrintToPdf(const QString &fileName, const QPageLayout &layout, std::function<void(bool ok)> done) = 0;

    // A load has ended, successful or not; url is the address that was loading.
    std::function<void(const QUrl &url, bool ok)> OnLoadFinished;
    // The page's render process ended abnormally; the view now shows nothing.
    std::function<void()> OnRenderCrashed;
    // The page was scrolled.
    std::function<void()> OnScrolled;
    // The reader asked for the page's menu, at this place on the screen.
    std::function<void(const QPoint &globalPos)> OnContextMenu;
};

// The preview dialog of the engine's PDFs.
class TPdfPreview {
public:
    virtual ~TPdfPreview() = default;
    virtual QDialog *Dialog() = 0;
    // Shows the PDF's pages; whole is false for the first pages of a document still
    // being written, and then printing waits for the whole.
    virtual void ShowPdf(const QString &file, bool whole) = 0;
};

class THtmlEngine {
public:
    virtual ~THtmlEngine() = default;
    // Starts the engine itself (its browser side and the shared private profile);
    // later calls do nothing.
    virtual void Start() = 0;
    // A new engine view whose widget is a child of parent.
    virtual THtmlEngineView *NewView(QWidget *parent) = 0;
    // The print preview of PDFs the engine wrote: a modal dialog over parent that draws
    // only the pages in sight, so a document of thousands of pages opens at once. Its
    // Dialog() ends with PreviewPrintChosen when the reader asked to print. The PDF
    // library lives in the module too, off the program's start.
    static constexpr int PreviewPrintChosen = 2;
    virtual TPdfPreview *NewPdfPreview(QWidget *parent) = 0;
};

#define THtmlEngine_iid "ketab.THtmlEngine/3"
Q_DECLARE_INTERFACE(THtmlEngine, THtmlEngine_iid)

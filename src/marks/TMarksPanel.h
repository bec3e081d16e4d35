#pragma once
#include "marks/TMark.h"
#include <QSet>
#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class TMarksList;

// The controls of the list of marks, a page of the notes panel: a text and a style to
// narrow the list by, the list itself (TMarksList), and its buttons. Enter or a double
// click on a line opens its passage; Delete removes the mark and Ctrl+Z in the list
// brings the last removals back. The reading window's marks (TReaderMarks) bind the
// buttons and fill the list.
class TMarksPanel : public QWidget {
    Q_OBJECT
public:
    // What export offers, in the order of its menu.
    enum TFormat { efMarkdown, efHtml, efJsonLd };

    explicit TMarksPanel(QWidget *parent = nullptr);

    // Fills the list, keeping the filter and, where it is still listed, the current line.
    void Show(const QList<TMark> &marks, const QSet<QString> &lost);
    // The mark on the current line; empty for none.
    QString CurrentId() const;
    void SetCurrent(const QString &id);
    // The marks the filter lets through, in book order.
    QList<TMark> Listed() const;
    TMarksList *Model() const { return FModel; }

    QLineEdit *FilterEdit = nullptr;
    QComboBox *StyleBox = nullptr;
    QListView *List = nullptr;
    QPushButton *GotoButton = nullptr;
    QPushButton *RemoveButton = nullptr;
    QPushButton *ExportButton = nullptr;
    QPushButton *ImportButton = nullptr;
    QMenu *ExportMenu = nullptr;

    std::function<void(const QString &id)> OnOpen;
    std::function<void(const QString &id)> OnRemove;
    std::function<void()> OnUndo;
    std::function<void(TFormat format)> OnExport;
    std::function<void()> OnImport;
    // The panel is about to show: the list may be filled now.
    std::function<void()> OnShowing;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Filter();
    void OpenCurrent();
    TMarksList *FModel = nullptr;
};

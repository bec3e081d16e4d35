#pragma once
#include "app/ScratchText.h"
#include "app/TForm.h"
#include "search/TBookText.h"
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TSearchRun;
class TVrProgressBar;
class TWebBrowser;

// The search window: searches the page files for the typed terms over the whole book
// or one section, lists the pages found, opens one as the highlighted result page and
// sends the results to the notes list. It also holds the page text buffer.
class TSearchForm : public TForm {
    Q_OBJECT
public:
    explicit TSearchForm(QWidget *parent = nullptr);
    void FormCreate();

    void SearchButtonClick();
    void SearchEditKeyPress(QChar key);
    void ReturnButtonClick();
    void GotoButtonClick();
    void ResultListBoxDblClick();
    void AddtoBKButtonClick();
    // Shows the context line of the result line that is now current.
    void ResultListBoxCurrentChange();
    // Starts reading the book's searched text into memory, once, on a background thread.
    void KeepBookText();
    // The reading window's "search the selected text": copies the view's selection,
    // puts it into the query field and, when that is not empty, opens this window over
    // the reading window (the search is left for the reader to start).
    void SearchSelectedText(TWebBrowser *view);

    // The search state of the last non-empty search.
    std::array<QString, 10> SearchTerms;
    int TermCount = 0;
    std::array<int, 1000> ResultPages{};  // page of result line k+1
    int FoundCount = 0;

    TScratchText ScratchText;  // the page text buffer every user loads before use
    TBookText KeptText;        // the searched text read ahead

    QLineEdit *SearchEdit = nullptr;
    QComboBox *LookinComboBox = nullptr;
    QCheckBox *WholeCase = nullptr;
    QCheckBox *FoldedCase = nullptr;  // folded matching: the ways a word may be written are one
    QPushButton *SearchButton = nullptr;
    QPushButton *AddtoBKButton = nullptr;
    QListWidget *ResultListBox = nullptr;
    TVrProgressBar *ProgressBar = nullptr;
    QLabel *ResultLabel = nullptr;
    QLabel *FoundLabel = nullptr;
    QLabel *ContextLabel = nullptr;  // the current result's line of text
    QPushButton *GotoButton = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    int FindOptions() const;
    QStringList Terms() const;
    QString CountText() const;
    void ShowRun(const TSearchRun &run);
    bool FSearching = false;
    bool FSearchFolded = false;  // how the listed results were found
    int FSearchOptions = TScratchText::foMatchCase;
};

extern TSearchForm *SearchForm;

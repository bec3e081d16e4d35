#pragma once
#include <QStringList>
#include "app/TForm.h"
#include "reader/TNotesList.h"
#include "reader/TSectionMusic.h"
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TsuiCustomButton;
class TsuiImageButton;
class TsuiImagePanel;
class QWidget;
class TMarksPanel;
class TNotesPanel;
class TOptionsPanel;
class TPageMenu;
class TReadingHistory;
class TReadingProgress;
class TReadAloudControl;
class TReaderMarks;
class TSpeechNote;
class TsuiForm;
class TsuiSideChannel;
class TsuiTitleBar;
class TWebBrowser;
class TXAPlayer;

// The reading window. Other windows reach it through MainForm and run its actions
// (RefreshPage, ChMusic, InsertBM, ExitPrg, the four page moves) rather than repeat their work.
class TMainForm : public TForm {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;
    void FormCreate();

    // Page display and navigation.
    void ShowContents(int section);
    void RefreshPageExecute();
    void NextPageExecute();
    void PreviousPageExecute();
    void FirstPageExecute();
    void LastPageExecute();
    void ChMusicExecute();
    void InsertBMExecute();
    void ExitPrgExecute();
    // Name of section s (1..5) from DirList.
    QString SectionName(int section) const;
    // "صفحه: P از L - section name" for the current page and section.
    QString PageInfoText() const;

    // Enter (character 13) takes the typed page number, clamped to the current section.
    void PageNumber_KeyPress(QChar key);
    void DirButtonClick();
    void MenuButtonClick();
    void SearchButtonClick();
    void PrintButtonClick();

    // What a finished load means: labels, flags, followed links, the index word.
    void PageBrowserDownloadComplete(TWebBrowser *sender);

    // Notes.
    void DeleteButtonClick();
    void NewButtonClick();
    void SaveButtonClick();
    void LoadButtonClick();
    void GotoButtonClick();
    void BookMarkBoxDblClick();
    void PrintBMButtonClick();
    void BookMarkShowClick();
    void BookMarkChannelPush(TsuiSideChannel *sender);
    void BookMarkChannelPop(TsuiSideChannel *sender);
    // The frame's custom title bar buttons: 1 exit, 3 minimise the application, 4 help.
    void suiFormTitleBarCustomBtnsClick(TsuiTitleBar *sender, int buttonIndex);
    QStringList BookMarks() const;

    // Options.
    void MusicOnClick();
    void MusicOffClick();
    void MusicPlayerPlayerState(QObject *sender, int state);
    void FontSizeComboBoxChange();
    void AllTopCheckBoxClick();
    // Every page light on dark, the help's too; printing keeps the book's colours.
    void NightPageCheckBoxClick();
    // The layout choices laid over the page, which keeps the line at its top.
    void PageLayoutChange();
    void SelAllButtonClick();
    void CopyButtonClick();
    void CopToSearchButtonClick();
    void ExitButtonClick();
    void EditButtonClick();

    TWebBrowser *PageBrowser = nullptr;
    // The page's own menu; features add their parts to it.
    std::unique_ptr<TPageMenu> PageMenu;
    // The reader's marks on the text: the marks file, the marks drawn, their menu and list.
    std::unique_ptr<TReaderMarks> Marks;
    QLabel *InfoLabel = nullptr;
    TReadingProgress *Progress = nullptr;  // under the page: the place and the time left
    // Back and forward; every jump to another place calls History->RecordJump() first.
    TReadingHistory *History = nullptr;
    QLineEdit *PageNumber = nullptr;
    QListWidget *BookMarkBox = nullptr;  // the notes list
    QLabel *PageLabel = nullptr;
    QLabel *OfLabel = nullptr;
    QLabel *VolLabel = nullptr;
    QLabel *DirLabel = nullptr;
    QListWidget *DirList = nullptr;  // hidden: the five section names

    TsuiImagePanel *TopPanel = nullptr;
    QLabel *HeaderImage = nullptr;
    QWidget *BottomPanel = nullptr;
    TsuiImageButton *MenuButton = nullptr;
    TsuiImageButton *DirButton = nullptr;
    TsuiImageButton *HistoryBackButton = nullptr;     // back to the place left by a jump
    TsuiImageButton *HistoryForwardButton = nullptr;  // undoes a Back
    TsuiImageButton *FirstButton = nullptr;
    TsuiImageButton *BackButton = nullptr;
    TsuiImageButton *NextButton = nullptr;
    TsuiImageButton *LastButton = nullptr;
    TsuiImageButton *SearchButton = nullptr;
    TsuiImageButton *PrintButton = nullptr;
    TsuiImageButton *SpeakButton = nullptr;  // read aloud: start, pause, resume
    TSpeechNote *SpeechNote = nullptr;       // how reading aloud stands
    QMenu *DirMenu = nullptr;

    TsuiForm *suiForm = nullptr;            // the skinned frame and title bar
    TsuiSideChannel *BookMarkChannel = nullptr;  // notes panel, left edge
    // The notes panel's two pages: the noted pages and the list of marks.
    QTabWidget *NotesPages = nullptr;
    TNotesPanel *NotesPanel = nullptr;
    TMarksPanel *MarksPanel = nullptr;
    std::unique_ptr<TNotesList> Notes;  // the notes list's files and whether it changed since
    TsuiSideChannel *RHidePanel = nullptr;       // options panel, right edge
    TOptionsPanel *OptionsPanel = nullptr;
    TXAPlayer *MusicPlayer = nullptr;  // background music, one track per section
    std::unique_ptr<TSectionMusic> SectionMusic;
    TReadAloudControl *ReadAloud = nullptr;

    QAction *RefreshPage = nullptr;
    QAction *NextPage = nullptr;
    QAction *PreviousPage = nullptr;
    QAction *FirstPage = nullptr;
    QAction *LastPage = nullptr;
    QAction *ChMusic = nullptr;
    QAction *InsertBM = nullptr;
    QAction *ExitPrg = nullptr;

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildTopPanel();
    void BuildBottomPanel();
    void BuildSidePanels();
    void BuildActions();
    // The page menu's first part: copy, select all, search for the selection.
    void BuildPageMenu();
    // The least room the window's contents need: every control of the bottom bar at its
    // size, the status line at its longest, and both side panels open, with their
    // controls, beside a strip of the page.
    QSize MinimumContentsSize() const;
    void ShowPageInfo();
    void FollowIndexLink(int section, int page, const QString &word);
    void GotoEntry(const QString &entry);
};

extern TMainForm *MainForm;

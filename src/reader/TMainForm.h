#pragma once
#include "app/TForm.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class TWebBrowser;

// The reading window. Other windows reach it through MainForm and run its actions
// (RefreshPage, ChMusic, InsertBM, ExitPrg, the four page moves) rather than repeat their work.
class TMainForm : public TForm {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
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

    TWebBrowser *PageBrowser = nullptr;
    QLabel *InfoLabel = nullptr;
    QLineEdit *PageNumber = nullptr;
    QListWidget *BookMarkBox = nullptr;  // the notes list
    QLabel *PageLabel = nullptr;
    QLabel *OfLabel = nullptr;
    QLabel *VolLabel = nullptr;
    QLabel *DirLabel = nullptr;

    QAction *RefreshPage = nullptr;
    QAction *NextPage = nullptr;
    QAction *PreviousPage = nullptr;
    QAction *FirstPage = nullptr;
    QAction *LastPage = nullptr;
    QAction *ChMusic = nullptr;
    QAction *InsertBM = nullptr;
    QAction *ExitPrg = nullptr;
};

extern TMainForm *MainForm;

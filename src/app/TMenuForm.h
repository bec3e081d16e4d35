#pragma once
#include "app/TForm.h"

class QLabel;
class QPushButton;
class QMenu;
class QAction;
class TShape;
class TsuiImageButton;
class TsuiCustomButton;

// The start menu: the first window, offering the five sections, the two index pages,
// the search, gallery, print, help and credits windows, and exit. It keeps no state;
// every choice opens a window over it or hands over to the reading window.
class TMenuForm : public TForm {
    Q_OBJECT
public:
    explicit TMenuForm(QWidget *parent = nullptr);
    void FormCreate();

    void LastButtonClick(TsuiCustomButton *sender);
    void suiImageButton1Click(TsuiCustomButton *sender);
    void suiImageButton2Click(TsuiCustomButton *sender);
    void suiImageButton3Click(TsuiCustomButton *sender);
    void suiImageButton4Click(TsuiCustomButton *sender);
    void SearchButtonClick(TsuiCustomButton *sender);
    void IndexButtonClick(TsuiCustomButton *sender);
    void N1Click();
    void N2Click();
    void GaleryButtonClick(TsuiCustomButton *sender);
    void PrintButtonClick(TsuiCustomButton *sender);
    void HelpButtonClick(TsuiCustomButton *sender);
    void CreditsButtonClick(TsuiCustomButton *sender);
    void ExitButtonClick(TsuiCustomButton *sender);
    // Opens the reading window where the reader last left the book, as a section button
    // opens it, with the page scrolled as it was.
    void ContinueButtonClick();
    // "ادامه مطالعه: صفحه N - <volume and part>" for a remembered place; shown only then.
    void UpdateContinueButton();

    QLabel *BackImage = nullptr;
    TShape *Shape = nullptr;
    QLabel *TntLabel1 = nullptr;
    TsuiImageButton *LastButton = nullptr;
    TsuiImageButton *suiImageButton1 = nullptr;
    TsuiImageButton *suiImageButton2 = nullptr;
    TsuiImageButton *suiImageButton3 = nullptr;
    TsuiImageButton *suiImageButton4 = nullptr;
    TsuiImageButton *SearchButton = nullptr;
    TsuiImageButton *IndexButton = nullptr;
    TsuiImageButton *GaleryButton = nullptr;
    TsuiImageButton *PrintButton = nullptr;
    TsuiImageButton *ExitButton = nullptr;
    TsuiImageButton *CreditsButton = nullptr;
    TsuiImageButton *HelpButton = nullptr;
    QPushButton *ContinueButton = nullptr;
    QMenu *IndexMenu = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;

protected:
    void FormShow() override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ShowSection(int section);
    void OpenIndex(const QString &file);
    TsuiImageButton *MakeButton(const char *name, const QString &caption, const char *picture, QRect place);
};

extern TMenuForm *MenuForm;

#pragma once
#include "app/TForm.h"
#include "widgets/TVrNavigator.h"

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class TImage32;

// The picture gallery: the book's figures by caption, a thumbnail of the selected one,
// the large view on a click and the way to the page where it stands.
class TPicGalleryForm : public TForm {
    Q_OBJECT
public:
    explicit TPicGalleryForm(QWidget *parent = nullptr);
    void FormCreate();

    void GalleryListBoxClick();
    void NavigatorButtonClick(QObject *sender, TVrButtonType button);
    void PictureClick();
    void GotoButtonClick();
    void GalleryListBoxDblClick();
    void SignatureActionExecute();
    void ReturnButtonClick();
    // The picture file of item n (AppFolder + "datas/pix/" + line n of the list + ".jpg").
    QString PictureFile(int item) const;

    QLabel *TitleLabel = nullptr;
    QListWidget *GalleryListBox = nullptr;
    TImage32 *Picture = nullptr;
    TVrNavigator *Navigator = nullptr;
    QPushButton *GotoButton = nullptr;
    QPushButton *ReturnButton = nullptr;
    QStringList PicMemo;  // the picture list, one base name a line
    QAction *SignatureAction = nullptr;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void ShowSelectedPicture();
    static QString ListPath();
};

extern TPicGalleryForm *PicGalleryForm;

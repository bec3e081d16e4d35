#include "pictures/TShowPicForm.h"
#include "app/KetabApplication.h"
#include "app/TKeyAction.h"
#include "pictures/TPicGalleryForm.h"
#include "widgets/TImage32.h"
#include <QGuiApplication>
#include <QScreen>

TShowPicForm *ShowPicForm = nullptr;

TShowPicForm::TShowPicForm(QWidget *parent) : TForm(parent, Qt::Dialog)
{
    ShowPicForm = this;
    setObjectName(QStringLiteral("ShowPicForm"));
    setWindowTitle(QStringLiteral("تصوير"));
    FormCreate();
}

void TShowPicForm::FormCreate()
{
    Picture = new TImage32(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setAccessibleName(QStringLiteral("تصوير؛ برای بازگشت كليك كنيد"));
    Picture->move(0, 0);
    Picture->SetBitmapAlign(baCenter);
    Picture->SetScaleMode(smNormal);
    Picture->SetScale(1);
    Picture->SetAutoSize(true);
    Picture->setCursor(Qt::PointingHandCursor);
    // The window's one control: the keyboard's focus and a screen reader land on it.
    Picture->SetTabStop(true);
    Picture->OnClick = TKetabApplication::Guard([this](QObject *) { PictureClick(); });
    // Keys do what a click on the picture does: back to the gallery.
    OnEscape = [this] { PictureClick(); };
    TKeyAction::Bind(this, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}, [this] { PictureClick(); });
    setFixedSize(377, 312);
}

void TShowPicForm::ShowPicture(const QString &file)
{
    Picture->SetAutoSize(false);
    Picture->Bitmap().LoadFromFile(file);
    Picture->SetAutoSize(true);
    // The window takes the picture's size, also when that is larger than the screen.
    setFixedSize(Picture->size());
    // Centred by the window itself: a move would place the desktop's frame around it
    // at that point, off the centre by the frame's size.
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        setGeometry(QRect(screen->geometry().center() - rect().center(), size()));
}

void TShowPicForm::PictureClick() { hide(); }

void TShowPicForm::FormHide()
{
    if (PicGalleryForm) PicGalleryForm->setEnabled(true);
}

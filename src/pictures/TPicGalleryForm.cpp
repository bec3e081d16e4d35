#include "pictures/TPicGalleryForm.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TKeyAction.h"
#include "app/TMenuForm.h"
#include "app/WindowProtocol.h"
#include "pictures/TGalleryItems.h"
#include "pictures/TPictureList.h"
#include "pictures/TShowPicForm.h"
#include "reader/TMainForm.h"
#include "reader/TReadingHistory.h"
#include "skin/TsuiBookFrames.h"
#include "widgets/TImage32.h"
#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

TPicGalleryForm *PicGalleryForm = nullptr;

namespace {
// The thin frame drawn around the thumbnail; while the thumbnail has the keyboard focus
// the frame is drawn in the focus colour and twice as thick.
class TPictureFrame : public QWidget {
public:
    using QWidget::QWidget;
    QWidget *Framed = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const bool focused = Framed && Framed->hasFocus();
        p.setPen(QPen(focused ? palette().color(QPalette::Highlight) : QColor(80, 80, 80), focused ? 2 : 1));
        p.drawRect(focused ? rect().adjusted(1, 1, -1, -1) : rect().adjusted(0, 0, -1, -1));
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == Framed && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) update();
        return QWidget::eventFilter(watched, event);
    }
};
}

TPicGalleryForm::TPicGalleryForm(QWidget *parent) : TForm(parent, Qt::Dialog)
{
    PicGalleryForm = this;
    setObjectName(QStringLiteral("PicGalleryForm"));
    setWindowTitle(QStringLiteral("گالری تصاوير"));
    FormCreate();
}

void TPicGalleryForm::FormCreate()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(14, 10, 14, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    TitleLabel = new QLabel(QStringLiteral("گالری تصاوير"), this);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    QFont title = TitleLabel->font();
    title.setPixelSize(27);
    title.setBold(true);
    TitleLabel->setFont(title);
    TitleLabel->setStyleSheet(QStringLiteral("color: rgb(4,50,88);"));
    grid->addWidget(TitleLabel, 0, 0, 1, 2);

    GalleryListBox = new QListWidget(this);
    GalleryListBox->setObjectName(QStringLiteral("GalleryListBox"));
    GalleryListBox->setAccessibleName(QStringLiteral("فهرست تصاوير"));
    GalleryListBox->addItems(TGalleryItems::Items());
    GalleryListBox->setMinimumWidth(300);
    grid->addWidget(GalleryListBox, 1, 0, 2, 1);

    auto *frame = new TPictureFrame(this);
    frame->setFixedSize(131, 171);
    Picture = new TImage32(frame);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setAccessibleName(QStringLiteral("تصوير؛ برای نمايش بزرگ كليك كنيد"));
    Picture->setGeometry(1, 1, 129, 169);
    Picture->SetScaleMode(smResize);
    Picture->SetBitmapAlign(baCenter);
    Picture->setCursor(Qt::PointingHandCursor);
    Picture->SetTabStop(true);
    frame->Framed = Picture;
    Picture->installEventFilter(frame);
    grid->addWidget(frame, 1, 1, Qt::AlignHCenter | Qt::AlignTop);

    Navigator = new TVrNavigator(this);
    Navigator->setObjectName(QStringLiteral("Navigator"));
    Navigator->setAccessibleName(QStringLiteral("پيمايش تصاوير"));
    Navigator->setFixedSize(241, 25);
    Navigator->SetVisibleButtons(VrButtons({btPrev, btBack, btStep, btNext}));
    Navigator->SetButtonName(btStep, QStringLiteral("تصوير قبلی"));
    Navigator->SetButtonName(btBack, QStringLiteral("تصوير بعدی"));
    Navigator->SetButtonName(btNext, QStringLiteral("نخستين تصوير"));
    Navigator->SetButtonName(btPrev, QStringLiteral("واپسين تصوير"));
    grid->addWidget(Navigator, 3, 0, Qt::AlignHCenter);

    GotoButton = new QPushButton(QStringLiteral("رجوع"), this);
    GotoButton->setObjectName(QStringLiteral("GotoButton"));
    GotoButton->setAccessibleName(QStringLiteral("رجوع به صفحه تصوير"));
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(QStringLiteral("بازگشت"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(GotoButton);
    buttons->addWidget(ReturnButton);
    grid->addLayout(buttons, 2, 1, 2, 1, Qt::AlignBottom);

    SignatureAction = new QAction(QStringLiteral("SignatureAction"), this);
    SignatureAction->setObjectName(QStringLiteral("SignatureAction"));
    SignatureAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7));
    addAction(SignatureAction);

    using G = TKetabApplication;
    G::Connect(GalleryListBox, &QListWidget::currentRowChanged, this, [this] { GalleryListBoxClick(); });
    G::Connect(GalleryListBox, &QListWidget::itemDoubleClicked, this, [this] { GalleryListBoxDblClick(); });
    Navigator->OnButtonClick = G::Guard([this](QObject *s, TVrButtonType b) { NavigatorButtonClick(s, b); });
    Picture->OnClick = G::Guard([this](QObject *) { PictureClick(); });
    G::Connect(GotoButton, &QPushButton::clicked, this, [this] { GotoButtonClick(); });
    G::Connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
    G::Connect(SignatureAction, &QAction::triggered, this, [this] { SignatureActionExecute(); });

    // Keyboard: Enter on a caption goes to its page (as a double click), Enter or Space on
    // the thumbnail opens it large (as a click), Escape returns.
    TKeyAction::OpenLineOnEnter(GalleryListBox, [this] { GalleryListBoxDblClick(); });
    TKeyAction::Bind(Picture, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}, [this] { PictureClick(); });
    OnEscape = [this] { ReturnButton->click(); };
    TabChain({GalleryListBox, Picture, Navigator, GotoButton, ReturnButton});

    // Room for the list, the thumbnail and the buttons below the skinned title bar.
    setFixedSize(sizeHint().expandedTo(QSize(520, 372)));
    TsuiBookFrames::Dialog(this, TFormBorderStyle::bsDialog);

    // The picture list is read once, here.
    PicMemo = TPictureList::Load(ListPath());
}

QString TPicGalleryForm::ListPath() { return ReaderState.AppFolder + QStringLiteral("datas/pix/pix.txt"); }

QString TPicGalleryForm::PictureFile(int item) const
{
    return TPictureList::PictureFile(PicMemo, item, ReaderState.AppFolder + QStringLiteral("datas/pix/"), ListPath());
}

void TPicGalleryForm::FormShow()
{
    if (GalleryListBox->currentRow() < 0) {
        const QSignalBlocker block(GalleryListBox);
        GalleryListBox->setCurrentRow(0);
    }
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    ShowSelectedPicture();
}

void TPicGalleryForm::FormHide()
{
    if (MenuForm) MenuForm->setEnabled(true);
}

void TPicGalleryForm::ShowSelectedPicture()
{
    const int item = GalleryListBox->currentRow();
    if (item < 0) return;
    Picture->Bitmap().LoadFromFile(PictureFile(item));
    Picture->update();
    // The picture keeps its name (what a click does); which figure it shows is its description.
    Picture->setAccessibleDescription(GalleryListBox->item(item)->text());
}

void TPicGalleryForm::GalleryListBoxClick() { ShowSelectedPicture(); }

void TPicGalleryForm::NavigatorButtonClick(QObject *, TVrButtonType button)
{
    const int count = GalleryListBox->count();
    const int row = GalleryListBox->currentRow();
    int next = row;
    switch (button) {
    case btStep: if (row > 0) next = row - 1; break;          // previous item
    case btBack: if (row < count - 1) next = row + 1; break;  // next item
    case btNext: next = 0; break;
    case btPrev: next = count - 1; break;
    default: break;
    }
    {
        const QSignalBlocker block(GalleryListBox);
        GalleryListBox->setCurrentRow(next);
    }
    ShowSelectedPicture();  // also when the selection stayed
}

void TPicGalleryForm::PictureClick()
{
    const int item = GalleryListBox->currentRow();
    if (item < 0) return;
    ShowPicForm->ShowPicture(PictureFile(item));
    setEnabled(false);
    ShowOver(ShowPicForm, this);
}

void TPicGalleryForm::GotoButtonClick()
{
    const QListWidgetItem *item = GalleryListBox->currentItem();
    if (!item) return;
    const int page = TGalleryItems::PageOf(item->text());
    MainForm->History->RecordJump();
    ReaderState.CurPage = page;
    ReaderState.CurSection = SectionOf(page);
    // Run directly, not through the action's guard: a failed refresh ends this handler too.
    MainForm->RefreshPageExecute();
    hide();
    MenuForm->setEnabled(true);
    MenuForm->hide();
    MainForm->show();
}

void TPicGalleryForm::GalleryListBoxDblClick() { GotoButtonClick(); }

void TPicGalleryForm::SignatureActionExecute()
{
    Dialogs().ShowMessage(QStringLiteral("كتاب: خوانندهٔ كتاب چندجلدی؛ ساخته شده با دقت و شكيبايی."),
                          QStringLiteral("امضا"), QMessageBox::Information);
}

void TPicGalleryForm::ReturnButtonClick() { hide(); }

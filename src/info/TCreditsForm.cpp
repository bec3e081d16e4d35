#include "info/TCreditsForm.h"
#include "app/KetabApplication.h"
#include "app/TMenuForm.h"
#include "skin/TsuiBookFrames.h"
#include "widgets/TImage32.h"
#include "widgets/TJpegReader.h"
#include "widgets/TQuelConnectLabel.h"
#include <QLabel>
#include <QVBoxLayout>

TCreditsForm *CreditsForm = nullptr;

namespace {
const QColor Cream(252, 238, 205);
const QColor Gold(236, 200, 120);

QPalette GoldPalette(QPalette pal)
{
    pal.setColor(QPalette::WindowText, Gold);
    return pal;
}

// A telephone number kept left to right inside the right-to-left line.
QString Phone(const char *digits)
{
    return QStringLiteral("تلفن: ⁦") + QString::fromUtf8(digits) + QStringLiteral("⁩");
}

// Right column: each role and its people.
struct TRole {
    const char *Role;
    const char *Names;
};
const TRole Roles[5] = {
    {"سرپرست پروژه: ", "مهرداد آذرنيا"},
    {"طراحی و برنامهنويسی:", "كاوه رهنورد"},
    {"سرپرست حروفچينی:", "نسرين شادكام"},
    {"انتخاب موسيقی:", "بهرام نوازنده‌پور"},
    {"ويرايش متن جهت سی-دی:", "ليلا ارغوانی\nفرزانه تابان\nسياوش مهرپرور"},
};
}

TCreditsForm::TCreditsForm(QWidget *parent) : TForm(parent, Qt::Dialog)
{
    CreditsForm = this;
    setObjectName(QStringLiteral("CreditsForm"));
    setWindowTitle(QStringLiteral("سازندگان"));
    FormCreate();
}

QLabel *TCreditsForm::Text(const QString &text, int pixelSize, bool bold, const QRect &place, Qt::Alignment align)
{
    auto *label = new QLabel(text, BackImage);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    label->setGeometry(place);
    // Placed by hand on the picture: right means right, also in the right-to-left window.
    label->setAlignment(align | Qt::AlignAbsolute);
    label->setAccessibleName(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, bold ? Gold : Cream);
    label->setPalette(pal);
    return label;
}

void TCreditsForm::FormCreate()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BackImage = new TImage32(this);
    BackImage->setObjectName(QStringLiteral("BackImage"));
    BackImage->setAccessibleName(QStringLiteral("سازندگان؛ برای بستن كليك كنيد"));
    // The picture is 400 x 352; the title bar leaves 333 rows of it in view, and the
    // drawing keeps everything that matters within them.
    BackImage->setMinimumSize(400, 333);
    BackImage->setMaximumSize(400, 352);
    BackImage->Bitmap().SetImage(TJpegReader::LoadFromFile(QStringLiteral(":/CREDITS_BACK")));
    BackImage->OnClick = TKetabApplication::Guard([this](QObject *) { BackImageClick(); });
    OnEscape = [this] { BackImageClick(); };
    layout->addWidget(BackImage);

    // Right column, anchored top right: roles in gold, people in cream.
    int y = 14;
    for (const TRole &r : Roles) {
        const QString names = QString::fromUtf8(r.Names);
        Text(QString::fromUtf8(r.Role), 16, false, QRect(190, y, 196, 22), Qt::AlignRight | Qt::AlignVCenter)
            ->setPalette(GoldPalette(BackImage->palette()));
        y += 22;
        const int lines = static_cast<int>(names.count(QLatin1Char('\n'))) + 1;
        Text(names, 16, false, QRect(190, y, 180, 20 * lines), Qt::AlignRight | Qt::AlignTop);
        y += 20 * lines + 4;
    }

    // Left column: three company blocks, each with its logo between the columns.
    struct TBlock {
        const char *Heading, *Name, *Phone;
        QLabel **Logo;
        const char *LogoName, *Resource;
        int Height;
    };
    const TBlock blocks[3] = {
        {"ناشر", "انتشارات ستاره دانش\nتهران", "۰۲۱-۵۵۵۰۱۲۳۴", &PublisherLogo, "PublisherLogo", ":/CREDITS_PUBLISHER", 46},
        {"مركز پخش", "پخش كتاب آفتاب", "۰۲۱-۵۵۵۰۶۷۸۹", &DistributorLogo, "DistributorLogo", ":/CREDITS_DISTRIBUTOR", 50},
        {"توليد و پشتيبانی", "گروه نرم‌افزاری\nنگارين", "۰۲۱-۵۵۵۰۴۴۲۰", &Image1, "Image1", ":/CREDITS_PRODUCTION", 37},
    };
    y = 14;
    for (const TBlock &b : blocks) {
        const QString name = QString::fromUtf8(b.Name);
        const int lines = static_cast<int>(name.count(QLatin1Char('\n'))) + 1;
        Text(QString::fromUtf8(b.Heading), 13, true, QRect(14, y, 118, 18), Qt::AlignRight | Qt::AlignVCenter);
        Text(name, 12, false, QRect(14, y + 18, 118, 16 * lines), Qt::AlignRight | Qt::AlignTop);
        Text(Phone(b.Phone), 11, false, QRect(14, y + 18 + 16 * lines, 118, 16), Qt::AlignRight | Qt::AlignVCenter);
        auto *logo = new QLabel(BackImage);
        logo->setObjectName(QString::fromLatin1(b.LogoName));
        logo->setAccessibleName(QString::fromUtf8(b.Heading));
        logo->setPixmap(QPixmap(QString::fromLatin1(b.Resource)));
        logo->setGeometry(138, y + 4, 50, b.Height);
        *b.Logo = logo;
        y += 18 + 16 * lines + 16 + 24;
    }

    const auto link = [this](const char *name, const QString &caption, const QString &address, TAddressStyle style,
                             const QRect &place) {
        auto *l = new TQuelConnectLabel(BackImage);
        l->setObjectName(QString::fromLatin1(name));
        l->setText(caption);
        l->setAccessibleName(caption);
        l->SetAddress(address);
        l->SetAddressStyle(style);
        l->SetShadowSize(0);  // a custom style without shadow
        l->SetHighlightColor(clYellow);
        l->SetFontColor(Qt::white);
        l->setLayoutDirection(Qt::LeftToRight);
        QFont f = l->font();
        f.setPixelSize(11);
        l->setFont(f);
        l->setGeometry(place);
        return l;
    };
    WebLabel = link("WebLabel", QStringLiteral("www.setare-danesh.example"), QStringLiteral("www.setare-danesh.example"),
                    asHttp, QRect(12, 306, 180, 20));
    MailLabel = link("MailLabel", QStringLiteral("e-mail: info@setare-danesh.example"),
                     QStringLiteral("info@setare-danesh.example"), asMail, QRect(196, 306, 196, 20));
    MailLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
    setFixedSize(402, 366);
    TsuiBookFrames::Credits(this);
}

void TCreditsForm::FormShow()
{
    // Centred over the start menu, the application's main window.
    if (MenuForm) move(MenuForm->geometry().center() - rect().center());
}

void TCreditsForm::BackImageClick() { hide(); }

void TCreditsForm::FormHide()
{
    if (MenuForm) MenuForm->setEnabled(true);
}

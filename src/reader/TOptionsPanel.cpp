#include "reader/TOptionsPanel.h"
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiThemes.h"
#include "speech/TSpeechOptions.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TOptionsPanel::TOptionsPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OptionsPanel"));
    setLayoutDirection(Qt::RightToLeft);
    const auto label = [this](QLabel *&l, const char *name, const QString &caption) {
        l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(caption);
    };
    const auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
    };
    label(TntLabel1, "TntLabel1", QStringLiteral("موسيقی"));
    // Skinned radio buttons: the two share this parent and group index, so checking
    // one unchecks the other.
    MusicOn = new TsuiRadioButton(this);
    MusicOn->setObjectName(QStringLiteral("MusicOn"));
    MusicOn->SetCaption(QStringLiteral("On"));
    MusicOn->setAccessibleName(QStringLiteral("موسيقی On"));
    MusicOn->SetTransparent(true);
    MusicOn->SetLoading(true);
    MusicOn->SetChecked(true);
    MusicOn->SetLoading(false);
    MusicOff = new TsuiRadioButton(this);
    MusicOff->setObjectName(QStringLiteral("MusicOff"));
    MusicOff->SetCaption(QStringLiteral("Off"));
    MusicOff->setAccessibleName(QStringLiteral("موسيقی Off"));
    MusicOff->SetTransparent(true);

    label(TntLabel2, "TntLabel2", QStringLiteral("اندازه قلم"));
    FontSizeComboBox = new QComboBox(this);
    FontSizeComboBox->setObjectName(QStringLiteral("FontSizeComboBox"));
    FontSizeComboBox->setAccessibleName(TntLabel2->text());
    FontSizeComboBox->addItems({QStringLiteral("كوچك"), QStringLiteral("معمولی"), QStringLiteral("بزرگ")});
    FontSizeComboBox->setCurrentIndex(1);
    TntLabel2->setBuddy(FontSizeComboBox);

    // A check box without caption, named and described by the label beside it.
    const auto check = [this, &label](QLabel *&l, const char *labelName, TsuiCheckBox *&box, const char *name,
                                      const QString &caption) {
        label(l, labelName, caption);
        box = new TsuiCheckBox(this);
        box->SetTransparent(true);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(caption);
        l->setBuddy(box);
    };
    check(TntLabel3, "TntLabel3", AllTopCheckBox, "AllTopCheckBox", QStringLiteral("كل صفحه نمايش"));
    check(TntLabel6, "TntLabel6", BookMarkShow, "BookMarkShow", QStringLiteral("فرم يادداشتها"));
    check(TntLabel7, "TntLabel7", NightPageCheckBox, "NightPageCheckBox", QStringLiteral("صفحه شب"));
    SpeechOptions = new TSpeechOptions(this);

    button(SelAllButton, "SelAllButton", QStringLiteral("انتخاب كل متن"));
    button(CopyButton, "CopyButton", QStringLiteral("كپی"));
    button(CopToSearchButton, "CopToSearchButton", QStringLiteral("جستجو متن انتخابی"));
    button(ExitButton, "ExitButton", QStringLiteral("خروج"));
    button(EditButton, "EditButton", QStringLiteral("ويرايش"));
    EditButton->hide();
    Drive = new QComboBox(this);
    Drive->setObjectName(QStringLiteral("Drive"));
    Drive->setAccessibleName(QStringLiteral("Drive"));
    for (char d = 'c'; d <= 'k'; ++d) Drive->addItem(QString(QLatin1Char(d)) + u':');
    Drive->hide();
    TntComboBox1 = new QComboBox(this);
    TntComboBox1->setObjectName(QStringLiteral("TntComboBox1"));
    TntComboBox1->setAccessibleName(TntLabel2->text());
    for (int s : {8, 10, 12, 14, 18}) TntComboBox1->addItem(QString::number(s));
    TntComboBox1->hide();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(4);
    int row = 0;
    grid->addWidget(TntLabel1, row++, 0, 1, 2);
    grid->addWidget(MusicOn, row, 0);
    grid->addWidget(MusicOff, row++, 1);
    grid->addWidget(TntLabel2, row++, 0, 1, 2);
    grid->addWidget(FontSizeComboBox, row++, 0, 1, 2);
    grid->addWidget(TntLabel3, row, 0);
    grid->addWidget(AllTopCheckBox, row++, 1);
    grid->addWidget(TntLabel6, row, 0);
    grid->addWidget(BookMarkShow, row++, 1);
    grid->addWidget(TntLabel7, row, 0);
    grid->addWidget(NightPageCheckBox, row++, 1);
    grid->addWidget(SpeechOptions, row++, 0, 1, 2);
    grid->addWidget(SelAllButton, row++, 0, 1, 2);
    grid->addWidget(CopyButton, row++, 0, 1, 2);
    grid->addWidget(CopToSearchButton, row++, 0, 1, 2);
    grid->setRowStretch(row++, 1);
    grid->addWidget(ExitButton, row++, 0, 1, 2);
}

void TOptionsPanel::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    TsuiThemes::PropagateStyle(this, style, FFileTheme);
}

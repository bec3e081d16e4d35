#include "reader/TLayoutOptions.h"
#include "app/KetabApplication.h"
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiThemes.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <utility>

TLayoutOptions::TLayoutOptions(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LayoutOptions"));
    setLayoutDirection(Qt::RightToLeft);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(0, 1);
    int row = 0;
    const auto label = [&](QLabel *&l, const char *name, const QString &caption) {
        l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(caption);
    };
    const auto list = [&](QLabel *&l, const char *labelName, QComboBox *&box, const char *name, const QString &caption,
                          const QStringList &items) {
        label(l, labelName, caption);
        grid->addWidget(l, row++, 0, 1, 2);
        box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(caption);
        box->addItems(items);
        // The panel's width, whatever the longest family name: the open list is as wide as its items.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(4);
        box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 2 * box->view()->frameWidth() + 8);
        l->setBuddy(box);
        grid->addWidget(box, row++, 0, 1, 2);
        TKetabApplication::Connect(box, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    };
    list(SpacingLabel, "SpacingLabel", SpacingBox, "SpacingBox", tr("Line spacing"),
         {tr("Tight"), tr("Normal"), tr("Wide")});
    list(WidthLabel, "WidthLabel", WidthBox, "WidthBox", tr("Text width"), {tr("Narrow"), tr("Medium"), tr("Full")});
    list(TypefaceLabel, "TypefaceLabel", TypefaceBox, "TypefaceBox", tr("Typeface"), {tr("The book's")});
    TypefaceBox->setItemData(0, QString(), Qt::UserRole);
    TypefaceBox->setItemData(0, QString::fromLatin1(TPageLayout::BookTypeface), Qt::ToolTipRole);
    label(JustifiedLabel, "JustifiedLabel", tr("Justified"));
    grid->addWidget(JustifiedLabel, row, 0);
    JustifiedBox = new TsuiCheckBox(this);
    JustifiedBox->setObjectName(QStringLiteral("JustifiedBox"));
    JustifiedBox->setAccessibleName(JustifiedLabel->text());
    JustifiedBox->SetTransparent(true);
    JustifiedBox->SetLoading(true);
    JustifiedBox->SetChecked(true);
    JustifiedBox->SetLoading(false);
    JustifiedLabel->setBuddy(JustifiedBox);
    grid->addWidget(JustifiedBox, row++, 1);
    JustifiedBox->OnClick = TKetabApplication::Guard([this](QObject *) { Changed(); });
    SetChoice(TPageLayout::TChoice());
}

TPageLayout::TChoice TLayoutOptions::Choice() const
{
    TPageLayout::TChoice c;
    c.Spacing = SpacingBox->currentIndex();
    c.Width = WidthBox->currentIndex();
    c.Typeface = TypefaceBox->currentData(Qt::UserRole).toString();
    c.Justified = JustifiedBox->Checked();
    return c;
}

void TLayoutOptions::FillTypefaces()
{
    if (FFilled) return;
    FFilled = true;
    const bool setting = std::exchange(FSetting, true);
    for (const QString &family : TPageLayout::Typefaces()) {
        // Each family named in its own letters, so the reader sees what it looks like.
        QFont face = font();
        face.setFamilies({family});
        TypefaceBox->addItem(family, family);
        TypefaceBox->setItemData(TypefaceBox->count() - 1, face, Qt::FontRole);
    }
    TypefaceBox->view()->setMinimumWidth(TypefaceBox->view()->sizeHintForColumn(0) + 2 * TypefaceBox->view()->frameWidth() + 8);
    FSetting = setting;
}

void TLayoutOptions::showEvent(QShowEvent *event)
{
    FillTypefaces();
    QWidget::showEvent(event);
}

void TLayoutOptions::SetChoice(const TPageLayout::TChoice &choice)
{
    const TPageLayout::TChoice c = TPageLayout::Checked(choice);
    if (!c.Typeface.isEmpty()) FillTypefaces();
    FSetting = true;
    SpacingBox->setCurrentIndex(c.Spacing);
    WidthBox->setCurrentIndex(c.Width);
    TypefaceBox->setCurrentIndex(std::max(0, TypefaceBox->findData(c.Typeface, Qt::UserRole)));
    JustifiedBox->SetLoading(true);
    JustifiedBox->SetChecked(c.Justified);
    JustifiedBox->SetLoading(false);
    FSetting = false;
}

void TLayoutOptions::Changed()
{
    if (!FSetting && OnChange) OnChange(this);
}

void TLayoutOptions::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    TsuiThemes::PropagateStyle(this, style, FFileTheme);
}

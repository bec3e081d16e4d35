#include "reader/TNotesPanel.h"
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TNotesPanel::TNotesPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NotesPanel"));
    setLayoutDirection(Qt::RightToLeft);
    const auto label = [this](QLabel *&l, const char *name, const QString &caption) {
        l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(caption);
    };
    label(TntLabel4, "TntLabel4", QStringLiteral("يادداشتها"));
    QFont title = TntLabel4->font();
    title.setBold(true);
    title.setPixelSize(16);
    TntLabel4->setFont(title);
    TntLabel4->setAlignment(Qt::AlignCenter);
    label(TntLabel5, "TntLabel5", QStringLiteral("موارد ثبت شده:"));
    BookMarkBox = new QListWidget(this);
    BookMarkBox->setObjectName(QStringLiteral("BookMarkBox"));
    BookMarkBox->setAccessibleName(QStringLiteral("موارد ثبت شده"));
    BookMarkBox->setLayoutDirection(Qt::RightToLeft);
    TntLabel5->setBuddy(BookMarkBox);
    const auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
    };
    button(InsertButton, "InsertButton", QStringLiteral("ايجاد"));
    button(DeleteButton, "DeleteButton", QStringLiteral("حذف"));
    button(NewButton, "NewButton", QStringLiteral("جديد"));
    button(LoadButton, "LoadButton", QStringLiteral("خواندن"));
    button(SaveButton, "SaveButton", QStringLiteral("ذخيره"));
    button(GotoButton, "GotoButton", QStringLiteral("رجوع"));
    button(PrintBMButton, "PrintBMButton", QStringLiteral("چاپ صفحات انتخاب شده"));
    button(PrintListButton, "PrintListButton", QStringLiteral("چاپ ليست"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(3);
    grid->addWidget(TntLabel4, 0, 0, 1, 2);
    grid->addWidget(TntLabel5, 1, 0, 1, 2);
    grid->addWidget(BookMarkBox, 2, 0, 1, 2);
    grid->addWidget(InsertButton, 3, 0);
    grid->addWidget(DeleteButton, 3, 1);
    grid->addWidget(NewButton, 4, 0);
    grid->addWidget(GotoButton, 4, 1);
    grid->addWidget(LoadButton, 5, 0);
    grid->addWidget(SaveButton, 5, 1);
    grid->addWidget(PrintBMButton, 6, 0, 1, 2);
    grid->addWidget(PrintListButton, 7, 0, 1, 2);
    grid->setRowStretch(2, 1);
}

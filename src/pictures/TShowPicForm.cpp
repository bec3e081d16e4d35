// Placeholder window: replaced by the window's own implementation.
#include "pictures/TShowPicForm.h"
#include "pictures/TPicGalleryForm.h"
#include <QPushButton>

TShowPicForm *ShowPicForm = nullptr;

TShowPicForm::TShowPicForm(QWidget *parent) : TForm(parent)
{
    ShowPicForm = this;
    setObjectName(QStringLiteral("ShowPicForm"));
    setWindowTitle(QStringLiteral("تصوير"));
    resize(400, 300);
    FormCreate();
}

void TShowPicForm::FormCreate()
{
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    ReturnButton->move(10, height() - 40);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
}

void TShowPicForm::ReturnButtonClick() { hide(); }

void TShowPicForm::FormHide()
{
    if (PicGalleryForm) PicGalleryForm->setEnabled(true);
}

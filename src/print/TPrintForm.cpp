// Placeholder window: replaced by the window's own implementation.
#include "print/TPrintForm.h"
#include "app/WindowProtocol.h"
#include <QPushButton>

TPrintForm *PrintForm = nullptr;

TPrintForm::TPrintForm(QWidget *parent) : TForm(parent)
{
    PrintForm = this;
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("چاپ"));
    resize(386, 300);
    FormCreate();
}

void TPrintForm::FormCreate()
{
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    ReturnButton->move(10, height() - 40);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
}

void TPrintForm::ReturnButtonClick() { hide(); }

void TPrintForm::FormHide()
{
    EnableVisibleMainWindow();
}

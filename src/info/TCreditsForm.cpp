// Placeholder window: replaced by the window's own implementation.
#include "info/TCreditsForm.h"
#include "app/TMenuForm.h"
#include <QPushButton>

TCreditsForm *CreditsForm = nullptr;

TCreditsForm::TCreditsForm(QWidget *parent) : TForm(parent)
{
    CreditsForm = this;
    setObjectName(QStringLiteral("CreditsForm"));
    setWindowTitle(QStringLiteral("سازندگان"));
    resize(402, 366);
    FormCreate();
}

void TCreditsForm::FormCreate()
{
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    ReturnButton->move(10, height() - 40);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
}

void TCreditsForm::ReturnButtonClick() { hide(); }

void TCreditsForm::FormHide()
{
    if (MenuForm) MenuForm->setEnabled(true);
}

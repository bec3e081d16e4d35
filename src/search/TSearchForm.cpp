// Placeholder window: replaced by the window's own implementation.
#include "search/TSearchForm.h"
#include "app/WindowProtocol.h"
#include <QPushButton>

TSearchForm *SearchForm = nullptr;

TSearchForm::TSearchForm(QWidget *parent) : TForm(parent)
{
    SearchForm = this;
    setObjectName(QStringLiteral("SearchForm"));
    setWindowTitle(QStringLiteral("جستجو"));
    resize(386, 362);
    FormCreate();
}

void TSearchForm::FormCreate()
{
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    ReturnButton->move(10, height() - 40);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
}

void TSearchForm::ReturnButtonClick() { hide(); }

void TSearchForm::FormHide()
{
    EnableVisibleMainWindow();
}

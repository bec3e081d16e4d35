// Placeholder window: replaced by the window's own implementation.
#include "app/TMenuForm.h"
#include <QPushButton>

TMenuForm *MenuForm = nullptr;

TMenuForm::TMenuForm(QWidget *parent) : TForm(parent)
{
    MenuForm = this;
    setObjectName(QStringLiteral("MenuForm"));
    setWindowTitle(QStringLiteral("كتاب"));
    resize(600, 440);
    FormCreate();
}

void TMenuForm::FormCreate()
{
}

void TMenuForm::FormHide()
{

}

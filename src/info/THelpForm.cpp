// Placeholder window: replaced by the window's own implementation.
#include "info/THelpForm.h"
#include <QPushButton>

THelpForm *HelpForm = nullptr;

THelpForm::THelpForm(QWidget *parent) : TForm(parent)
{
    HelpForm = this;
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("راهنما"));
    resize(800, 600);
    FormCreate();
}

void THelpForm::FormCreate()
{
}

void THelpForm::FormHide()
{

}

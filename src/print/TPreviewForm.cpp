// Placeholder window: replaced by the window's own implementation.
#include "print/TPreviewForm.h"
#include "app/WindowProtocol.h"
#include <QPushButton>

TPreviewForm *PreviewForm = nullptr;

TPreviewForm::TPreviewForm(QWidget *parent) : TForm(parent)
{
    PreviewForm = this;
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("پيش نمايش چاپ"));
    resize(800, 600);
    FormCreate();
}

void TPreviewForm::FormCreate()
{
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    ReturnButton->move(10, height() - 40);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
}

void TPreviewForm::ReturnButtonClick() { hide(); }

void TPreviewForm::FormHide()
{
    EnableVisibleMainWindow();
}

// Placeholder window: replaced by the window's own implementation.
#include "pictures/TPicGalleryForm.h"
#include "app/TMenuForm.h"
#include <QPushButton>

TPicGalleryForm *PicGalleryForm = nullptr;

TPicGalleryForm::TPicGalleryForm(QWidget *parent) : TForm(parent)
{
    PicGalleryForm = this;
    setObjectName(QStringLiteral("PicGalleryForm"));
    setWindowTitle(QStringLiteral("گالری تصاوير"));
    resize(420, 330);
    FormCreate();
}

void TPicGalleryForm::FormCreate()
{
    ReturnButton = new QPushButton(QStringLiteral("بازگشت"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setAccessibleName(ReturnButton->text());
    ReturnButton->move(10, height() - 40);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { ReturnButtonClick(); });
}

void TPicGalleryForm::ReturnButtonClick() { hide(); }

void TPicGalleryForm::FormHide()
{
    if (MenuForm) MenuForm->setEnabled(true);
}

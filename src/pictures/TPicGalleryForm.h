#pragma once
#include "app/TForm.h"

class QPushButton;

class TPicGalleryForm : public TForm {
    Q_OBJECT
public:
    explicit TPicGalleryForm(QWidget *parent = nullptr);
    void FormCreate();
    void ReturnButtonClick();
protected:
    void FormHide() override;
    QPushButton *ReturnButton = nullptr;
};

extern TPicGalleryForm *PicGalleryForm;

#pragma once
#include "app/TForm.h"

class QPushButton;

class TPreviewForm : public TForm {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget *parent = nullptr);
    void FormCreate();
    void ReturnButtonClick();
protected:
    void FormHide() override;
    QPushButton *ReturnButton = nullptr;
};

extern TPreviewForm *PreviewForm;

#pragma once
#include "app/TForm.h"

class QPushButton;

class TCreditsForm : public TForm {
    Q_OBJECT
public:
    explicit TCreditsForm(QWidget *parent = nullptr);
    void FormCreate();
    void ReturnButtonClick();
protected:
    void FormHide() override;
    QPushButton *ReturnButton = nullptr;
};

extern TCreditsForm *CreditsForm;

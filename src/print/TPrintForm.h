#pragma once
#include "app/TForm.h"

class QPushButton;

class TPrintForm : public TForm {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget *parent = nullptr);
    void FormCreate();
    void ReturnButtonClick();
protected:
    void FormHide() override;
    QPushButton *ReturnButton = nullptr;
};

extern TPrintForm *PrintForm;

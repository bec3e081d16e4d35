#pragma once
#include "app/TForm.h"

class QPushButton;

class TShowPicForm : public TForm {
    Q_OBJECT
public:
    explicit TShowPicForm(QWidget *parent = nullptr);
    void FormCreate();
    void ReturnButtonClick();
protected:
    void FormHide() override;
    QPushButton *ReturnButton = nullptr;
};

extern TShowPicForm *ShowPicForm;

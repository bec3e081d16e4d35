#pragma once
#include "app/TForm.h"

class QPushButton;

class TMenuForm : public TForm {
    Q_OBJECT
public:
    explicit TMenuForm(QWidget *parent = nullptr);
    void FormCreate();

protected:
    void FormHide() override;

};

extern TMenuForm *MenuForm;

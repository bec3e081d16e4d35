#pragma once
#include "app/TForm.h"

class QPushButton;

class THelpForm : public TForm {
    Q_OBJECT
public:
    explicit THelpForm(QWidget *parent = nullptr);
    void FormCreate();

protected:
    void FormHide() override;

};

extern THelpForm *HelpForm;

#pragma once
#include "app/TForm.h"

class QPushButton;

class TSearchForm : public TForm {
    Q_OBJECT
public:
    explicit TSearchForm(QWidget *parent = nullptr);
    void FormCreate();
    void ReturnButtonClick();
protected:
    void FormHide() override;
    QPushButton *ReturnButton = nullptr;
};

extern TSearchForm *SearchForm;

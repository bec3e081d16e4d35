#pragma once
#include "app/TForm.h"

class QPushButton;
class QWidget;
class TVrGradient;
class TWebBrowser;

// Shows the print document and hands it to the view's print preview and printing.
class TPreviewForm : public TForm {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget *parent = nullptr);
    void FormCreate();

    void PreButtonClick();
    void PrintButtonClick();
    void ReturnButtonClick();

    TWebBrowser *PrintBrowser = nullptr;
    QWidget *Panel = nullptr;
    TVrGradient *BackGradient = nullptr;
    QPushButton *ReturnButton = nullptr;
    QPushButton *PreButton = nullptr;
    QPushButton *PrintButton = nullptr;

protected:
    void FormShow() override;
    void FormHide() override;
};

extern TPreviewForm *PreviewForm;

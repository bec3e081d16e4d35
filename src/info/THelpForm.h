#pragma once
#include "app/TForm.h"

class QPushButton;
class QWidget;
class TVrGradient;
class TWebBrowser;

// The program's help page in an HTML view, filling the work area.
class THelpForm : public TForm {
    Q_OBJECT
public:
    explicit THelpForm(QWidget *parent = nullptr);
    void FormCreate();

    // Shows the help over its opener (or brings it forward where the reader left it); disables nothing.
    void OpenHelp(QWidget *opener);
    void DirButtonClick();
    void ReturnButtonClick();
    QString HelpFile() const;

    TWebBrowser *PageBrowser = nullptr;
    QWidget *Panel = nullptr;
    TVrGradient *BackGradient = nullptr;
    QPushButton *DirButton = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    void FormShow() override;

private:
    bool FLoaded = false;
};

extern THelpForm *HelpForm;

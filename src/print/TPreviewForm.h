#pragma once
#include "app/TForm.h"

class QLabel;
class QProgressBar;
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

    // Shows the window over opener with the document last written, loading it again
    // when the window is already open.
    void OpenDocument(QWidget *opener);
    void PreButtonClick();
    void PrintButtonClick();
    void ReturnButtonClick();

    TWebBrowser *PrintBrowser = nullptr;
    QWidget *Panel = nullptr;
    TVrGradient *BackGradient = nullptr;
    QPushButton *ReturnButton = nullptr;
    QPushButton *PreButton = nullptr;
    QPushButton *PrintButton = nullptr;
    // While the engine prepares a print: what it does, and a bar that shows it works.
    QLabel *PrintStatus = nullptr;
    QProgressBar *PrintProgress = nullptr;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    // Preview and Print wait for the document and for a running print to end; the
    // progress shows while a print runs.
    void UpdateButtons();
    void PrintBrowserDownloadComplete();
    void RunCommand(int command);
    bool FLoaded = false;
};

extern TPreviewForm *PreviewForm;

#pragma once
#include "app/TForm.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TVrProgressBar;

// The print dialog: a section and a page range, or the noted pages, composed into
// the print document and handed to the preview.
class TPrintForm : public TForm {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget *parent = nullptr);
    void FormCreate();

    void VolComboBoxChange();
    void PrintButtonClick();
    void BMPrintButtonClick();
    void ReturnButtonClick();

    QLabel *TitleLabel = nullptr;
    QLabel *VolLabel = nullptr;
    QComboBox *VolComboBox = nullptr;
    QLabel *LimitLabel = nullptr;
    QLabel *FromLabel = nullptr;
    QSpinBox *Spinfirst = nullptr;
    QLabel *ToLabel = nullptr;
    QSpinBox *Spinlast = nullptr;
    TVrProgressBar *ProgressBar = nullptr;
    // Says when the chosen range holds no page of the section, instead of an empty print.
    QLabel *RangeNote = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *BMPrintButton = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    // Composes the pages into print.htm, then hides the dialog and shows the preview.
    void PrintPages(const QStringList &pageFiles, int progressMax);
    void HideRangeNote();
};

extern TPrintForm *PrintForm;

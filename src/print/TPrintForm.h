#pragma once
#include "app/TForm.h"
#include <functional>

class QCheckBox;
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
    // Ticked, the print shows the reader's marks in their colours (the noted pages' print
    // from the notes panel as well); unticked, the book's pages as they are.
    QCheckBox *WithMarksBox = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *BMPrintButton = nullptr;
    QPushButton *ReturnButton = nullptr;

    // What a print lays over its pages: the reader's marks while the box is ticked.
    static std::function<QString(const QString &, const QString &)> Dress();

protected:
    void FormShow() override;
    void FormHide() override;

private:
    // Composes the pages into print.htm, then hides the dialog and shows the preview.
    void PrintPages(const QStringList &pageFiles, int progressMax);
    void HideRangeNote();
};

extern TPrintForm *PrintForm;

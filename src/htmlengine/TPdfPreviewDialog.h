#pragma once
#include "app/THtmlEngine.h"
#include <QDialog>

class QLabel;
class QPdfDocument;
class QPdfView;
class QPushButton;

// The print preview: the pages of a PDF the engine wrote, one under the other, the width
// of the window. The view draws only the pages in sight, apart from the user-interface
// thread, so a page shows at once however long the document.
class TPdfPreviewDialog : public QDialog, public TPdfPreview {
    Q_OBJECT
public:
    explicit TPdfPreviewDialog(QWidget *parent);
    QDialog *Dialog() override { return this; }
    void ShowPdf(const QString &file, bool whole) override;

    QPdfDocument *Document = nullptr;
    QPdfView *PagesView = nullptr;
    QLabel *PagesLabel = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *CloseButton = nullptr;
};

#pragma once
#include <QDialog>

class QLabel;
class QPdfDocument;
class QPdfView;
class QPushButton;

// The print preview: the pages of a PDF the engine wrote, one under the other, the width
// of the window. The view draws only the pages in sight, and draws them apart from the
// user-interface thread, so the first page shows at once however long the document.
class TPdfPreviewDialog : public QDialog {
    Q_OBJECT
public:
    TPdfPreviewDialog(const QString &pdfFile, QWidget *parent);

    QPdfDocument *Document = nullptr;
    QPdfView *PagesView = nullptr;
    QLabel *PagesLabel = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *CloseButton = nullptr;
};

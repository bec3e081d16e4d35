// Print preview and printing of the HTML view.
#include "app/TWebBrowser.h"
#include "app/Dialogs.h"
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

void TWebBrowser::PrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) {
        QEventLoop wait;
        connect(this, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
        print(p);
        wait.exec();
    });
    Dialogs().Exec(&preview);
}

void TWebBrowser::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (Dialogs().Exec(&dialog) != QDialog::Accepted) return;
    QEventLoop wait;
    connect(this, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
    print(&printer);
    wait.exec();
}

#include "app/KetabApplication.h"
#include "app/TMenuForm.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKetabApplication app(argc, argv);
    // The nine windows, created once in this order; each creation handler runs to completion first.
    new TMenuForm;
    new TMainForm;
    new TSearchForm;
    new TPrintForm;
    new TPreviewForm;
    new THelpForm;
    new TCreditsForm;
    new TPicGalleryForm;
    new TShowPicForm;
    if (TKetabApplication::Terminated()) return 1;
    MenuForm->show();
    return app.exec();
}

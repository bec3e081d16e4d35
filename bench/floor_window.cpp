// The floor of start-up benchmarks: an empty Qt window of the start menu's size, nothing
// else. Built twice: plain Widgets, and linked with the browser engine (FLOOR_WEBENGINE),
// to show what the engine's libraries alone cost a program before its first window.
#include <QApplication>
#include <QWidget>
#ifdef FLOOR_WEBENGINE
#include <QWebEngineView>
#endif

int main(int argc, char *argv[])
{
#ifdef FLOOR_WEBENGINE
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // A use of the engine's library, so the linker keeps it as the program's dependency.
    volatile const void *engine = &QWebEngineView::staticMetaObject;
    (void)engine;
#endif
    QApplication app(argc, argv);
    QWidget window;
    window.resize(600, 440);
    window.show();
    return app.exec();
}

#pragma once
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Minimising the application: every window of the program on screen goes to the task
// bar together, and restoring any one of them brings the others back with it.
class TApplicationMinimizer : public QObject {
    Q_OBJECT
public:
    static void Minimize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    static TApplicationMinimizer &Instance();
    // Stops following the windows of the last minimising and returns them.
    QList<QPointer<QWidget>> Release();

    QList<QPointer<QWidget>> FMinimized;
};

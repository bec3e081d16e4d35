#pragma once
#include <QObject>
#include <QList>
#include <functional>

class QWidget;

// Runs a command when one of the given keys is pressed, without modifiers, on a widget
// (Enter on a list opens its selected line, as a double click does). The key is used up;
// a failure is reported through the application's handler.
class TKeyAction : public QObject {
    Q_OBJECT
public:
    static void Bind(QWidget *widget, QList<int> keys, std::function<void()> command);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TKeyAction(QWidget *widget, QList<int> keys, std::function<void()> command);
    QList<int> FKeys;
    std::function<void()> FCommand;
};

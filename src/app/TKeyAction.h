#pragma once
#include <QObject>
#include <QList>
#include <functional>

class QListWidget;
class QWidget;

// Runs a command when one of the given keys is pressed, without modifiers, on a widget
// (Enter on a list opens its selected line, as a double click does). The key is used up;
// a failure is reported through the application's handler.
class TKeyAction : public QObject {
    Q_OBJECT
public:
    static void Bind(QWidget *widget, QList<int> keys, std::function<void()> command);
    // Enter on a list opens the line under the keyboard's cursor, as a double click on it
    // does: the focus can rest on a line without selecting it, so the line is selected first.
    static void OpenLineOnEnter(QListWidget *list, std::function<void()> open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TKeyAction(QWidget *widget, QList<int> keys, std::function<void()> command);
    QList<int> FKeys;
    std::function<void()> FCommand;
};

#pragma once
#include <QObject>
#include <QString>
#include <functional>

// The one object a page's overlay script reaches through the web channel: it hands each
// message on, inside the guard, so nothing a page says can throw through the channel.
class TPageBridge : public QObject {
    Q_OBJECT
public:
    explicit TPageBridge(std::function<void(const QString &kind, const QString &json)> told);
    // Called from the page: ketab.tell(kind, value) arrives here with the value as JSON.
    Q_INVOKABLE void tell(const QString &kind, const QString &json);

private:
    std::function<void(const QString &, const QString &)> FTold;
};

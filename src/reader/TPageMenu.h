#pragma once
#include <QJsonObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QMenu;
class QPoint;
class TWebBrowser;

// The reading page's own menu, shown in place of the engine's on a right click or the menu
// key: what the reader can do with the page, the selection or the mark under the pointer.
// Each feature adds its part; parts show in order, each after a separator. Before the
// menu shows, the page says what is selected and which layer spans lie around the place
// the menu was asked for (their data-ketab-* attributes).
class TPageMenu {
public:
    struct TContext {
        QString Selected;        // the selected text, empty for none
        int Start = -1, End = -1;  // the selection's place in the page's text
        QJsonObject Attributes;  // data-ketab-* around the place, innermost first
    };
    using TPart = std::function<void(QMenu &menu, const TContext &context)>;
    enum TOrder { poEdit = 0, poMarks = 10, poNavigation = 20, poSpeech = 30 };
    // A page that does not answer within this time gets its menu without what it would say.
    static constexpr int AnswerMs = 300;

    explicit TPageMenu(TWebBrowser &view);
    void Add(int order, TPart part);
    // Asks the page, then pops the menu up at globalPos.
    void Popup(const QPoint &globalPos);
    // The menu while it shows, else null.
    QMenu *Menu() const { return FMenu; }

private:
    void Show(const QPoint &globalPos, const TContext &context);
    TWebBrowser &FView;
    std::vector<std::pair<int, TPart>> FParts;
    QPointer<QMenu> FMenu;
    int FAsked = 0;
};

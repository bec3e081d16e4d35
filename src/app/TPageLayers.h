#pragma once
#include <QColor>
#include <QJsonValue>
#include <QMap>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class THtmlEngineView;
class TPageBridge;

// One thing laid over a page without changing its file: a style sheet for the screen
// (print, the preview and PDF keep the book's look), a script run in every page as it is
// made, and the colour that shows where no page paints (invalid: no say).
struct TPageLayer {
    // Layers are composed from the lowest order up: a later layer's style wins over an
    // earlier one's of the same weight, and its script runs after.
    enum TOrder { loNight = 0, loLayout = 10, loMarks = 20, loSpeech = 30 };
    int Order = 0;
    QString Style;
    QString Script;
    QColor Background;
};

// Composes the layers over one view's pages: the night page, the layout choices, the
// reader's marks, the sentence being spoken. Each feature hands this class its layer by
// name and never touches the view. The composed style and script go into a script world
// of their own, so a page's own scripts never see them. Every page gets the page core
// first (CoreScript): the page's text as one string, a place in it counted in UTF-16
// units of the text nodes' data in document order (the same count everywhere), spans
// wrapped around stretches of it and taken away again, the selection as such a stretch.
// What a page's script tells the program (ketab.tell(kind, value)) reaches the handler
// listening for that kind, on the user-interface thread, inside the guard.
class TPageLayers {
public:
    TPageLayers();
    ~TPageLayers();
    TPageLayers(const TPageLayers &) = delete;
    TPageLayers &operator=(const TPageLayers &) = delete;

    void Set(const QString &name, TPageLayer layer);
    void Remove(const QString &name);
    bool Has(const QString &name) const;

    // The composition: styles and scripts in order, the page core before the scripts.
    QString Style() const;
    QString Script() const;
    QColor Background() const;
    static const char *CoreScript();

    // Runs script in the shown page, in the layers' world, where `ketab` is the page core;
    // done, when given, gets its value (on the user-interface thread, guarded). Nothing
    // happens while the view has no engine.
    void Run(const QString &script, std::function<void(const QVariant &)> done = {});
    // handler gets what the page told with that kind (the value as JSON).
    void Listen(const QString &kind, std::function<void(const QJsonValue &)> handler);
    // A message from a page, as the bridge hands it on.
    void Told(const QString &kind, const QString &json);

    // The view's engine is in: the composition goes to it from now on.
    void Attach(THtmlEngineView *engine);

private:
    void Apply();
    struct TNamed {
        QString Name;
        TPageLayer Layer;
    };
    std::vector<TNamed> FLayers;  // by order, then by name
    QMap<QString, std::function<void(const QJsonValue &)>> FListeners;
    std::unique_ptr<TPageBridge> FBridge;
    THtmlEngineView *FEngine = nullptr;
    bool FBridged = false;
};

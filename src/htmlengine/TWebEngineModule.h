#pragma once
#include "app/THtmlEngine.h"
#include <QObject>

class QWebEnginePage;
class QWebEngineProfile;

// The module's entry: the browser engine behind the program's HTML views.
class TWebEngineModule : public QObject, public THtmlEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID THtmlEngine_iid)
    Q_INTERFACES(THtmlEngine)
public:
    void Start() override;
    THtmlEngineView *NewView(QWidget *parent) override;
    TPdfPreview *NewPdfPreview(QWidget *parent) override;

    // The private profile all views share: no cache on disk, no network.
    static QWebEngineProfile *SharedProfile();
    // A page on that profile, owned by owner; deleted before the profile in any case.
    static QWebEnginePage *NewPage(QObject *owner);
};

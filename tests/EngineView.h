#pragma once
// The browser engine's own view behind a TWebBrowser, for tests that run script in the
// shown page or read the engine's own state. Null until the view has its engine.
#include "app/TWebBrowser.h"
#include <QWebEnginePage>
#include <QWebEngineView>

inline QWebEngineView *EngineView(const TWebBrowser *view)
{
    return qobject_cast<QWebEngineView *>(view->EngineWidget());
}

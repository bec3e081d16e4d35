#pragma once
#include "app/THtmlEngine.h"
#include <QWebEngineView>

// One engine view: a browser view over its own page in the shared profile.
class TWebEngineView : public QWebEngineView, public THtmlEngineView {
    Q_OBJECT
public:
    explicit TWebEngineView(QWidget *parent);

    QWidget *Widget() override { return this; }
    void Load(const QUrl &url) override { load(url); }
    void Reload() override { reload(); }
    QUrl Url() const override { return url(); }
    void SetZoomFactor(double factor) override { setZoomFactor(factor); }
    double ZoomFactor() const override { return zoomFactor(); }
    void SelectAll() override;
    void Copy() override;
    QString SelectedText() const override { return selectedText(); }
    void DrawWhileHidden() override;
    void SetOverlay(const QString &css, const QString &script, const QColor &background) override;
    void SetBridge(QObject *bridge) override;
    void RunScript(const QString &script, std::function<void(const QVariant &)> done) override;
    void RunOverlayScript(const QString &script, std::function<void(const QVariant &)> done) override;
    void SetOwnContextMenu(bool on) override;
    void Print(QPrinter *printer, std::function<void(bool ok)> done) override;
    void PrintToPdf(const QString &fileName, const QPageLayout &layout, std::function<void(bool ok)> done) override;

private:
    void InstallOverlay();
    QString FOverlayCss;
    QString FOverlayScript;
    bool FBridged = false;
    std::function<void(bool)> FPrintDone;
    std::function<void(bool)> FPdfDone;
};

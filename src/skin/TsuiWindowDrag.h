#pragma once
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

// Moves or resizes a top-level window with the mouse. The window system is asked
// first (it then follows the mouse by itself); where it cannot (no window manager),
// the window follows the mouse positions passed to Follow until End.
class TsuiWindowDrag {
public:
    // edges empty: move; otherwise resize by those edges. Returns true when a drag started.
    bool Begin(QWidget *window, Qt::Edges edges, const QPoint &globalPos);
    void Follow(const QPoint &globalPos);
    void End() { FWindow = nullptr; }
    // True while the window follows Follow's positions.
    bool Active() const { return !FWindow.isNull(); }

    // The geometry a resize by edges gives when the mouse has moved by delta, bounded
    // by the window's minimum and maximum size (the opposite edges stay put).
    static QRect Resized(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum,
                         const QSize &maximum);

private:
    QPointer<QWidget> FWindow;
    Qt::Edges FEdges;
    QPoint FStartGlobal;
    QRect FStartGeometry;
};

#include "skin/TsuiWindowDrag.h"
#include <QWindow>

bool TsuiWindowDrag::Begin(QWidget *window, Qt::Edges edges, const QPoint &globalPos)
{
    FWindow = nullptr;
    if (!window) return false;
    if (QWindow *handle = window->windowHandle()) {
        const bool bySystem = edges ? handle->startSystemResize(edges) : handle->startSystemMove();
        if (bySystem) return true;
    }
    FWindow = window;
    FEdges = edges;
    FStartGlobal = globalPos;
    FStartGeometry = window->geometry();
    return true;
}

void TsuiWindowDrag::Follow(const QPoint &globalPos)
{
    if (!FWindow) return;
    const QPoint delta = globalPos - FStartGlobal;
    if (!FEdges) {
        FWindow->move(FStartGeometry.topLeft() + delta);
        return;
    }
    FWindow->setGeometry(Resized(FStartGeometry, FEdges, delta, FWindow->minimumSize(), FWindow->maximumSize()));
}

QRect TsuiWindowDrag::Resized(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum,
                              const QSize &maximum)
{
    QRect r = start;
    const auto bound = [](int value, int low, int high) { return qMax(low, qMin(value, high)); };
    if (edges & Qt::LeftEdge) {
        const int w = bound(start.width() - delta.x(), minimum.width(), maximum.width());
        r.setLeft(start.right() + 1 - w);
    } else if (edges & Qt::RightEdge) {
        r.setWidth(bound(start.width() + delta.x(), minimum.width(), maximum.width()));
    }
    if (edges & Qt::TopEdge) {
        const int h = bound(start.height() - delta.y(), minimum.height(), maximum.height());
        r.setTop(start.bottom() + 1 - h);
    } else if (edges & Qt::BottomEdge) {
        r.setHeight(bound(start.height() + delta.y(), minimum.height(), maximum.height()));
    }
    return r;
}

#pragma once
// Shared helpers of the widget tests: a fixed palette, so system colours are known,
// and an off-screen render of a control.
#include "widgets/VrDraw.h"
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>

inline void UseKnownPalette()
{
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Button, QColor(212, 208, 200));
    pal.setColor(QPalette::Dark, QColor(128, 128, 128));
    pal.setColor(QPalette::Light, QColor(255, 255, 255));
    pal.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    pal.setColor(QPalette::Highlight, QColor(10, 36, 106));
    pal.setColor(QPalette::Window, QColor(212, 208, 200));
    QApplication::setPalette(pal);
}

inline QImage Render(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor Px(const QImage &img, int x, int y) { return img.pixelColor(x, y); }
inline QColor Rgb(int r, int g, int b) { return QColor(r, g, b); }

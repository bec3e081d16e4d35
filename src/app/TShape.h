#pragma once
#include <QWidget>

// A drawn rectangle outline (no fill) over whatever lies beneath; takes no input.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget *parent = nullptr);
    QColor PenColor() const { return FPenColor; }
    void SetPenColor(const QColor &color);
    int PenWidth() const { return FPenWidth; }
    void SetPenWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor FPenColor = Qt::black;
    int FPenWidth = 1;
};

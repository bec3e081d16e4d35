#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

enum TsuiDrawStyle { suiNormal = 0, suiStretch = 1, suiTile = 2 };
// How the panel sits in its parent; AutoSize keeps the dimension the alignment fixes.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A panel that draws a picture (at its own size, stretched or tiled) or a plain
// colour, with an optional one-line caption. Composed off-screen, copied once.
class TsuiImagePanel : public QWidget {
    Q_OBJECT
public:
    explicit TsuiImagePanel(QWidget *parent = nullptr);

    QImage Picture() const { return FPicture; }
    void SetPicture(const QImage &picture);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TsuiDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TsuiDrawStyle value);
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    // The fill colour; child controls without a colour of their own take it as background.
    QColor Color() const { return FColor; }
    void SetColor(const QColor &color);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);

    std::function<void(TsuiImagePanel *sender)> OnClick;
    std::function<void(TsuiImagePanel *sender)> OnDblClick;
    std::function<void(TsuiImagePanel *sender)> OnResize;
    std::function<void(TsuiImagePanel *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseDown;
    std::function<void(TsuiImagePanel *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;
    std::function<void(TsuiImagePanel *sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseMove;

    // The panel as the next repaint draws it.
    QImage ComposeImage() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void ApplyAutoSize();

    QImage FPicture;
    bool FTransparent = false;
    bool FAutoSize = false;
    TsuiDrawStyle FDrawStyle = suiNormal;
    Qt::Alignment FAlignment = Qt::AlignHCenter;
    QString FCaption;
    QColor FColor;
    int FBorderWidth = 0;
    TAlign FAlign = alNone;
    bool FLeftDown = false;
};

#pragma once
#include "widgets/TQuelLabel.h"

enum TAddressStyle { asMail, asHttp };

// A shadow label acting as a link: underlined, coloured while the mouse is over it,
// with the hand cursor; a click opens "http://" or "mailto:" + Address with the desktop's handler.
// Tab reaches it (a dotted frame shows the focus) and Enter or Space opens it as a click does.
class TQuelConnectLabel : public TQuelLabel {
    Q_OBJECT
public:
    explicit TQuelConnectLabel(QWidget *parent = nullptr);

    QString Address() const { return FAddress; }
    void SetAddress(const QString &value) { FAddress = value; }
    TAddressStyle AddressStyle() const { return FAddressStyle; }
    void SetAddressStyle(TAddressStyle value) { FAddressStyle = value; }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor value) { FHighlightColor = value; }

    // The address the click opens.
    QString Target() const;
    // Opens Target with the desktop's handler (web browser or mail program).
    void Open();

protected:
    void Click() override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString FAddress;
    TAddressStyle FAddressStyle = asMail;
    TColor FHighlightColor = clBlue;
    QColor FSavedFontColor;
    bool FHovered = false;
};

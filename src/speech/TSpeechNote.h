#pragma once
#include <QLabel>

// A line of the bottom bar that says how reading aloud stands (starting, or why it cannot
// go on). It takes the room the bar has left and never widens the window: a text longer
// than its room is cut with an ellipsis on screen, while its tool tip and what a screen
// reader reads hold the whole text. Hidden while it has nothing to say.
class TSpeechNote : public QLabel {
    Q_OBJECT
public:
    explicit TSpeechNote(QWidget *parent = nullptr);
    void Say(const QString &note);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

#pragma once
#include <QFrame>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The small editor of a mark's note, opened inside the reading window beside the marked
// passage, right to left, in any script and of any length. All of it works from the
// keyboard: the text takes the focus; Tab goes on to the buttons (a tab character is not
// a note's); Ctrl+Enter saves, Escape leaves without saving.
class TMarkNoteEditor : public QFrame {
    Q_OBJECT
public:
    static constexpr int EditorWidth = 300, EditorHeight = 170;

    explicit TMarkNoteEditor(QWidget *parent);
    // Shows the editor with note, beside the rectangle `beside` (parent's coordinates),
    // within `room` (the part of the parent it may cover); the focus goes to the text.
    void Open(const QString &note, const QRect &beside, const QRect &room);
    // Closes it, keeping what was written (saved) or not.
    void Close(bool save);
    QString Text() const;

    QLabel *Title = nullptr;
    QPlainTextEdit *Edit = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *CancelButton = nullptr;
    std::function<void(const QString &note)> OnSave;
    std::function<void()> OnClosed;

    // Where the editor goes: below the passage when it fits there, else above it, else
    // over the room's top; its right edge at the passage's (the text runs right to left),
    // and always inside the room.
    static QRect Place(const QRect &beside, const QRect &room, const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

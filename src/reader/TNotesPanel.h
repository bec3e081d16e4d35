#pragma once
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

// The controls of the notes panel: the notes list and its buttons. The reading window
// binds the buttons to its handlers.
class TNotesPanel : public QWidget {
    Q_OBJECT
public:
    explicit TNotesPanel(QWidget *parent = nullptr);

    QLabel *TntLabel4 = nullptr;
    QLabel *TntLabel5 = nullptr;
    QListWidget *BookMarkBox = nullptr;
    QPushButton *InsertButton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *NewButton = nullptr;
    QPushButton *LoadButton = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *PrintBMButton = nullptr;
    QPushButton *GotoButton = nullptr;
    QPushButton *PrintListButton = nullptr;
};

#pragma once
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class TsuiCheckBox;
class TsuiRadioButton;

// The controls of the reader's options panel. The reading window binds them to its handlers.
class TOptionsPanel : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsPanel(QWidget *parent = nullptr);

    QLabel *TntLabel1 = nullptr;
    TsuiRadioButton *MusicOn = nullptr;
    TsuiRadioButton *MusicOff = nullptr;
    QLabel *TntLabel2 = nullptr;
    QComboBox *FontSizeComboBox = nullptr;
    QLabel *TntLabel3 = nullptr;
    TsuiCheckBox *AllTopCheckBox = nullptr;
    QLabel *TntLabel6 = nullptr;
    TsuiCheckBox *BookMarkShow = nullptr;
    QPushButton *SelAllButton = nullptr;
    QPushButton *CopyButton = nullptr;
    QPushButton *CopToSearchButton = nullptr;
    QPushButton *ExitButton = nullptr;
    QPushButton *EditButton = nullptr;  // hidden
    QComboBox *Drive = nullptr;         // hidden
    QComboBox *TntComboBox1 = nullptr;  // hidden
};

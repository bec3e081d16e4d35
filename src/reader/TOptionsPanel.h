#pragma once
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The controls of the reader's options panel. The reading window binds them to its handlers.
class TOptionsPanel : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsPanel(QWidget *parent = nullptr);

    QLabel *TntLabel1 = nullptr;
    QRadioButton *MusicOn = nullptr;
    QRadioButton *MusicOff = nullptr;
    QLabel *TntLabel2 = nullptr;
    QComboBox *FontSizeComboBox = nullptr;
    QLabel *TntLabel3 = nullptr;
    QCheckBox *AllTopCheckBox = nullptr;
    QLabel *TntLabel6 = nullptr;
    QCheckBox *BookMarkShow = nullptr;
    QPushButton *SelAllButton = nullptr;
    QPushButton *CopyButton = nullptr;
    QPushButton *CopToSearchButton = nullptr;
    QPushButton *ExitButton = nullptr;
    QPushButton *EditButton = nullptr;  // hidden
    QComboBox *Drive = nullptr;         // hidden
    QComboBox *TntComboBox1 = nullptr;  // hidden
};

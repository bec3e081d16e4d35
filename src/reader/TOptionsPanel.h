#pragma once
#include <QObject>

class QComboBox;
class QLabel;
class QPushButton;
class TsuiCheckBox;
class TsuiRadioButton;

class QWidget;

// The controls of the reader's options panel, laid out in the side channel that holds
// them. They are the channel's own children, so the channel passes its style on to the
// check boxes and radio buttons. The reading window binds them to its handlers.
class TOptionsPanel : public QObject {
    Q_OBJECT
public:
    explicit TOptionsPanel(QWidget *channel);

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

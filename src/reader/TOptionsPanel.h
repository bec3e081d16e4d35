#pragma once
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include <QPointer>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class TsuiCheckBox;
class TsuiRadioButton;
class TSpeechOptions;

// The controls of the reader's options panel. The reading window binds them to its
// handlers. The panel fills its side channel and stands for the channel's client area:
// a style the channel passes on to it goes on to the check boxes and radio buttons.
class TOptionsPanel : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    explicit TOptionsPanel(QWidget *parent = nullptr);

    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override { FFileTheme = fileTheme; }

    QLabel *TntLabel1 = nullptr;
    TsuiRadioButton *MusicOn = nullptr;
    TsuiRadioButton *MusicOff = nullptr;
    QLabel *TntLabel2 = nullptr;
    QComboBox *FontSizeComboBox = nullptr;
    QLabel *TntLabel3 = nullptr;
    TsuiCheckBox *AllTopCheckBox = nullptr;
    QLabel *TntLabel6 = nullptr;
    TsuiCheckBox *BookMarkShow = nullptr;
    QLabel *TntLabel7 = nullptr;
    TsuiCheckBox *NightPageCheckBox = nullptr;  // every page light on dark
    TSpeechOptions *SpeechOptions = nullptr;    // read aloud's pace and voice
    QPushButton *SelAllButton = nullptr;
    QPushButton *CopyButton = nullptr;
    QPushButton *CopToSearchButton = nullptr;
    QPushButton *ExitButton = nullptr;
    QPushButton *EditButton = nullptr;  // hidden
    QComboBox *Drive = nullptr;         // hidden
    QComboBox *TntComboBox1 = nullptr;  // hidden

private:
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> FFileTheme;
};

#pragma once
#include "reader/TPageLayout.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include <QPointer>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class TsuiCheckBox;

// The layout choices of the options panel: line spacing, the text column's width and
// the typeface in lists under their labels, justified text as a check box beside its
// label; each label names its control for screen readers. The typefaces listed are the
// book's own and those that qualify here, looked up when the group first shows or a kept
// choice names one, not while the program starts.
class TLayoutOptions : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    explicit TLayoutOptions(QWidget *parent = nullptr);

    TPageLayout::TChoice Choice() const;
    // Shows a choice (checked first) without running OnChange.
    void SetChoice(const TPageLayout::TChoice &choice);
    // The reader changed a choice.
    std::function<void(TLayoutOptions *sender)> OnChange;

    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override { FFileTheme = fileTheme; }

    QLabel *SpacingLabel = nullptr;
    QComboBox *SpacingBox = nullptr;
    QLabel *WidthLabel = nullptr;
    QComboBox *WidthBox = nullptr;
    QLabel *TypefaceLabel = nullptr;
    QComboBox *TypefaceBox = nullptr;
    QLabel *JustifiedLabel = nullptr;
    TsuiCheckBox *JustifiedBox = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Changed();
    void FillTypefaces();
    bool FFilled = false;
    bool FSetting = false;
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> FFileTheme;
};

#pragma once
#include "skin/TsuiUIStyle.h"
#include <QPixmap>
#include <QPointer>
#include <memory>
#include <vector>

#include <QMenu>
class TsuiTitleBar;
class TsuiTitleBarButtons;

enum TsuiTitleBarBtnType { suiMax = 0, suiMin = 1, suiClose = 2, suiHelp = 3, suiControlBox = 4, suiCustom = 5 };

// One button of a title bar. Its type decides its built-in action and which frames
// of the theme's title-button strip it shows; a suiCustom button keeps its own pictures.
class TsuiTitleBarButton {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    TsuiTitleBarBtnType ButtonType() const { return FButtonType; }
    void SetButtonType(TsuiTitleBarBtnType type);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    int Top() const { return FTop; }
    void SetTop(int top);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style);
    const QPixmap &PicNormal() const { return FPicNormal; }
    const QPixmap &PicMouseOn() const { return FPicMouseOn; }
    const QPixmap &PicMouseDown() const { return FPicMouseDown; }
    void SetPicNormal(const QPixmap &picture);
    void SetPicMouseOn(const QPixmap &picture);
    void SetPicMouseDown(const QPixmap &picture);
    // The three pictures at once (normal, mouse over, pressed).
    void SetPictures(const QPixmap &normal, const QPixmap &mouseOn, const QPixmap &mouseDown);
    QMenu *ControlBoxMenu() const { return FControlBoxMenu; }
    void SetControlBoxMenu(QMenu *menu) { FControlBoxMenu = menu; }

    // Takes the pictures of the button's type from its theme.
    void ReloadPictures();
    // The built-in action of the button's type.
    void PerformAction();
    // Loads frames first, first + 1 and first + 2 of the title-button strip.
    void LoadFrames(int first);

    int Index() const;
    void Assign(const TsuiTitleBarButton &other);

private:
    friend class TsuiTitleBarButtons;
    explicit TsuiTitleBarButton(TsuiTitleBarButtons *owner) : FOwner(owner) {}
    void Changed();

    TsuiTitleBarButtons *FOwner;
    bool FVisible = true;
    TsuiTitleBarBtnType FButtonType = suiCustom;
    bool FTransparent = false;
    int FTop = 2;
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    QPixmap FPicNormal;
    QPixmap FPicMouseOn;
    QPixmap FPicMouseDown;
    QPointer<QMenu> FControlBoxMenu;
};

// The ordered buttons of a title bar.
class TsuiTitleBarButtons {
public:
    explicit TsuiTitleBarButtons(TsuiTitleBar *bar) : FBar(bar) {}
    TsuiTitleBarButtons(const TsuiTitleBarButtons &) = delete;
    TsuiTitleBarButtons &operator=(const TsuiTitleBarButtons &) = delete;

    TsuiTitleBarButton *Add();
    // Adds a button of the given type and visibility.
    TsuiTitleBarButton *Add(TsuiTitleBarBtnType type, bool visible = true);
    int Count() const { return int(FItems.size()); }
    TsuiTitleBarButton *Items(int index) const { return FItems.at(size_t(index)).get(); }
    int IndexOf(const TsuiTitleBarButton *button) const;
    bool HasType(TsuiTitleBarBtnType type) const;
    void Clear();
    // Copies the other collection item by item.
    void Assign(const TsuiTitleBarButtons &other);
    TsuiTitleBar *Bar() const { return FBar; }

private:
    friend class TsuiTitleBarButton;
    void Changed();

    TsuiTitleBar *FBar;
    std::vector<std::unique_ptr<TsuiTitleBarButton>> FItems;
};

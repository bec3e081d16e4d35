#pragma once
#include <QPixmap>
#include <functional>
#include <memory>
#include <vector>

enum class TsuiTitleBarAlign { suiLeft = 0, suiRight = 1, suiClient = 2 };

class TsuiTitleBarSections;

// One picture section of a title bar. Only one section of a collection may be
// suiClient; a suiClient section is always stretched. AutoSize makes the width
// follow the picture's width.
class TsuiTitleBarSection {
public:
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TsuiTitleBarAlign Align() const { return FAlign; }
    void SetAlign(TsuiTitleBarAlign align);
    const QPixmap &Picture() const { return FPicture; }
    void SetPicture(const QPixmap &picture);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

    void Assign(const TsuiTitleBarSection &other);

private:
    friend class TsuiTitleBarSections;
    explicit TsuiTitleBarSection(TsuiTitleBarSections *owner) : FOwner(owner) {}
    void Changed();

    TsuiTitleBarSections *FOwner;
    int FWidth = 10;
    TsuiTitleBarAlign FAlign = TsuiTitleBarAlign::suiLeft;
    QPixmap FPicture;
    bool FStretch = false;
    bool FAutoSize = false;
};

// The ordered sections of a title bar; changed runs after any change to an item.
class TsuiTitleBarSections {
public:
    explicit TsuiTitleBarSections(std::function<void()> changed = {}) : FChanged(std::move(changed)) {}
    TsuiTitleBarSections(const TsuiTitleBarSections &) = delete;
    TsuiTitleBarSections &operator=(const TsuiTitleBarSections &) = delete;

    TsuiTitleBarSection *Add();
    int Count() const { return int(FItems.size()); }
    TsuiTitleBarSection *Items(int index) const { return FItems.at(size_t(index)).get(); }
    void Clear();
    // Copies the other collection item by item.
    void Assign(const TsuiTitleBarSections &other);

private:
    friend class TsuiTitleBarSection;
    void Changed();

    std::vector<std::unique_ptr<TsuiTitleBarSection>> FItems;
    std::function<void()> FChanged;
};

#include "skin/TsuiTitleBarSections.h"
#include "app/Dialogs.h"

void TsuiTitleBarSection::SetWidth(int width)
{
    FWidth = width;
    Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign align)
{
    if (align == TsuiTitleBarAlign::suiClient) {
        for (const auto &item : FOwner->FItems) {
            if (item->FAlign == TsuiTitleBarAlign::suiClient) {
                Dialogs().ShowMessage(QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""),
                                      QString(), QMessageBox::Warning);
                return;
            }
        }
        FStretch = true;
    }
    FAlign = align;
    Changed();
}

void TsuiTitleBarSection::SetPicture(const QPixmap &picture)
{
    FPicture = picture;
    if (FAutoSize && !FPicture.isNull()) FWidth = FPicture.width();
    Changed();
}

void TsuiTitleBarSection::SetStretch(bool stretch)
{
    if (FAlign == TsuiTitleBarAlign::suiClient) stretch = true;
    FStretch = stretch;
    Changed();
}

void TsuiTitleBarSection::SetAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    if (FAutoSize && !FPicture.isNull()) FWidth = FPicture.width();
    Changed();
}

void TsuiTitleBarSection::Assign(const TsuiTitleBarSection &other)
{
    FWidth = other.FWidth;
    FAlign = other.FAlign;
    FPicture = other.FPicture;
    FStretch = other.FStretch;
    FAutoSize = other.FAutoSize;
    Changed();
}

void TsuiTitleBarSection::Changed() { FOwner->Changed(); }

TsuiTitleBarSection *TsuiTitleBarSections::Add()
{
    FItems.push_back(std::unique_ptr<TsuiTitleBarSection>(new TsuiTitleBarSection(this)));
    Changed();
    return FItems.back().get();
}

void TsuiTitleBarSections::Clear()
{
    FItems.clear();
    Changed();
}

void TsuiTitleBarSections::Assign(const TsuiTitleBarSections &other)
{
    if (&other == this) return;
    FItems.clear();
    for (const auto &item : other.FItems) {
        FItems.push_back(std::unique_ptr<TsuiTitleBarSection>(new TsuiTitleBarSection(this)));
        FItems.back()->Assign(*item);
    }
    Changed();
}

void TsuiTitleBarSections::Changed()
{
    if (FChanged) FChanged();
}

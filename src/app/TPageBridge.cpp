#include "app/TPageBridge.h"
#include "app/KetabApplication.h"

TPageBridge::TPageBridge(std::function<void(const QString &, const QString &)> told) : FTold(std::move(told)) {}

void TPageBridge::tell(const QString &kind, const QString &json)
{
    TKetabApplication::Guarded([&] { FTold(kind, json); });
}

#include "reader/TPageMenu.h"
#include "app/KetabApplication.h"
#include "app/TPageLayers.h"
#include "app/TWebBrowser.h"
#include <QJsonDocument>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <memory>

TPageMenu::TPageMenu(TWebBrowser &view) : FView(view)
{
    // The page's own menu gives way to this one.
    view.OnContextMenu = [this](TWebBrowser *, const QPoint &at) { Popup(at); };
}

void TPageMenu::Add(int order, TPart part)
{
    const auto at = std::upper_bound(FParts.begin(), FParts.end(), order,
                                     [](int o, const std::pair<int, TPart> &p) { return o < p.first; });
    FParts.insert(at, {order, std::move(part)});
}

void TPageMenu::Popup(const QPoint &globalPos)
{
    const int asked = ++FAsked;
    auto answered = std::make_shared<bool>(false);
    const auto show = [this, asked, answered, globalPos](const TContext &context) {
        if (*answered || asked != FAsked) return;
        *answered = true;
        Show(globalPos, context);
    };
    FView.Layers().Run(QStringLiteral("JSON.stringify({ sel: ketab.selection(), attrs: ketab.menuAttributes() })"),
                       [show](const QVariant &value) {
                           const QJsonObject said = QJsonDocument::fromJson(value.toString().toUtf8()).object();
                           const QJsonObject sel = said.value(QLatin1String("sel")).toObject();
                           TContext context;
                           context.Selected = sel.value(QLatin1String("text")).toString();
                           context.Start = sel.value(QLatin1String("start")).toInt(-1);
                           context.End = sel.value(QLatin1String("end")).toInt(-1);
                           context.Attributes = said.value(QLatin1String("attrs")).toObject();
                           show(context);
                       });
    QTimer::singleShot(AnswerMs, &FView, TKetabApplication::Guard([show, this] {
                           TContext context;
                           context.Selected = FView.SelectedText();
                           show(context);
                       }));
}

void TPageMenu::Show(const QPoint &globalPos, const TContext &context)
{
    if (FMenu) FMenu->close();
    auto *menu = new QMenu(&FView);
    menu->setObjectName(QStringLiteral("PageMenu"));
    menu->setAccessibleName(QStringLiteral("منوی صفحه"));
    menu->setLayoutDirection(Qt::RightToLeft);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const auto &[order, part] : FParts) {
        const qsizetype before = menu->actions().size();
        part(*menu, context);
        if (before > 0 && menu->actions().size() > before) menu->insertSeparator(menu->actions().at(before));
    }
    FMenu = menu;
    menu->popup(globalPos);
}

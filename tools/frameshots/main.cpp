// Shows the book's skinned window frames (reading window with its two side channels, a
// dialog, credits, help) as real windows and saves a picture of each from the screen.
// Usage: ketab-frameshots OUTPUT_FOLDER [SECONDS]  (SECONDS: stay open for trying them by hand)
#include "skin/TsuiBookFrames.h"
#include "skin/TsuiSideChannel.h"
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QWidget *Window(const QString &name, const QRect &geometry)
{
    auto *window = new QWidget;
    window->setObjectName(name);
    window->setLayoutDirection(Qt::RightToLeft);
    window->setGeometry(geometry);
    return window;
}

QWidget *Reading(const QRect &geometry)
{
    QWidget *window = Window(QStringLiteral("reading"), geometry);
    auto *row = new QHBoxLayout(window);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *page = new QTextEdit(window);
    page->setHtml(QStringLiteral("<p dir=rtl style='font-size:16px'>متن صفحه کتاب. با باز و بسته شدن پنلهای کناری "
                                 "این متن جابجا می‌شود.</p>"));
    TsuiForm *frame = TsuiBookFrames::Reading(window);
    auto *notes = new TsuiSideChannel(frame);
    notes->setObjectName(QStringLiteral("BookMarkChannel"));
    auto *options = new TsuiSideChannel(frame);
    options->setObjectName(QStringLiteral("RHidePanel"));
    for (TsuiSideChannel *c : {notes, options}) {
        c->SetBorderColor(Qt::black);
        c->SetColor(QColor(232, 232, 232));
        c->SetSideBarColor(QColor(232, 232, 232));
        c->SetShowButton(true);
    }
    notes->SetWidth(169);
    notes->SetPopupMode(TsuiSideChannelPopupMode::suiMouseClick);
    options->SetWidth(160);
    options->SetAlign(TsuiSideChannelAlign::suiRight);
    auto *list = new QLabel(QStringLiteral("يادداشتها"), notes);
    (new QHBoxLayout(notes))->addWidget(list);
    // A right-to-left window mirrors its rows: the first item goes to the right edge.
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(options);
    middle->addWidget(page, 1);
    middle->addWidget(notes);
    static_cast<QHBoxLayout *>(frame->layout())->addLayout(middle);
    QTimer::singleShot(300, notes, [notes] { notes->SetStayOn(true); });
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [SECONDS]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
    QDir().mkpath(folder);

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(Reading(QRect(10, 10, 700, 450)));
    QWidget *search = Window(QStringLiteral("search"), QRect(730, 10, 300, 300));
    TsuiForm *searchFrame = TsuiBookFrames::Dialog(search, TFormBorderStyle::bsSizeable);
    searchFrame->SetWidth(384);
    searchFrame->SetHeight(361);
    windows.emplace_back(search);
    QWidget *credits = Window(QStringLiteral("credits"), QRect(10, 500, 420, 300));
    TsuiBookFrames::Credits(credits);
    windows.emplace_back(credits);
    QWidget *help = Window(QStringLiteral("help"), QRect(450, 500, 420, 300));
    TsuiBookFrames::Help(help);
    windows.emplace_back(help);
    for (auto &w : windows) w->show();

    QTimer::singleShot(1500 + seconds * 1000, &app, [&] {
        for (auto &w : windows) {
            const QPixmap shot = w->screen()->grabWindow(0, w->x(), w->y(), w->width(), w->height());
            shot.save(folder + QLatin1Char('/') + w->objectName() + QStringLiteral(".png"));
            std::printf("%s: %dx%d at %d,%d\n", qPrintable(w->objectName()), w->width(), w->height(), w->x(), w->y());
        }
        app.quit();
    });
    return app.exec();
}

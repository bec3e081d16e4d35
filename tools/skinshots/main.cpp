// Renders the skinned controls under each of the five built-in themes, and one sheet with
// every bitmap of the theme table, to PNG files for looking at.
// Usage: ketab-skinshots OUTPUT_FOLDER
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiSideChannel.h"
#include "skin/TsuiThemeManager.h"
#include "skin/TsuiThemeTable.h"
#include "skin/TsuiThemes.h"
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QWidget>
#include <cstdio>

namespace {

const TsuiUIStyle Styles[5] = {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein,
                               TsuiUIStyle::BlueGlass};

QPixmap Frame(const TsuiTheme &theme, int entry, int count, int index)
{
    QPixmap pixmap;
    TsuiThemes::LoadFrame(theme, entry, pixmap, count, index);
    return pixmap;
}

// A title bar as the theme builds it: left at natural width, client stretched, right at
// natural width, and the minimise, maximise and close buttons from the right.
QPixmap TitleBar(const TsuiTheme &theme, int width)
{
    QPixmap left, client, right;
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarLeftImage, left);
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarClientImage, client);
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarRightImage, right);
    QPixmap bar(width, std::max({left.height(), client.height(), right.height()}));
    bar.fill(Qt::black);
    QPainter p(&bar);
    p.drawPixmap(0, 0, left);
    p.drawPixmap(QRect(left.width(), 0, width - left.width() - right.width(), client.height()), client);
    p.drawPixmap(width - right.width(), 0, right);
    const bool transparent = TsuiThemes::GetBool(theme, TsuiEntry::TitleBarButtonTransparentBool);
    const int top = TsuiThemes::GetInteger(theme, TsuiEntry::TitleBarButtonTopInt);
    int x = width - TsuiThemes::GetInteger(theme, TsuiEntry::TitleBarButtonLeftOffsetInt) - 4;
    const int frames[] = {TsuiTitleFrame::Close, TsuiTitleFrame::Maximize, TsuiTitleFrame::Minimize,
                          TsuiTitleFrame::Help, TsuiTitleFrame::ControlBox};
    for (int i = 0; i < 5; ++i) {
        // normal, except the maximise button shown hot and the help button pressed
        const int state = i == 1 ? 1 : i == 3 ? 2 : 0;
        QPixmap button = Frame(theme, TsuiEntry::TitleBarButtonImage, TsuiTitleFrame::Count, frames[i] + state);
        if (transparent) button = TsuiThemes::Transparented(button);
        x -= button.width();
        p.drawPixmap(i == 4 ? 6 : x, top, button);
    }
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(theme.Number == int(TsuiUIStyle::MacOS) ? Qt::black : Qt::white);
    p.drawText(QRect(30, top, width / 2, 17), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ketab"));
    return bar;
}

// One window-like sheet of the theme: title bar, check boxes, radio buttons, side-channel
// caption bar and handle, button faces.
QImage ThemeSheet(TsuiUIStyle style)
{
    const TsuiTheme theme = TsuiThemes::ResolveTheme(style);
    const QColor back = TsuiThemes::GetColor(theme, TsuiEntry::FormBackgroundColor);
    QWidget window;
    window.resize(420, 250);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, back);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    const char *captions[] = {"همه در بالا", "نمایش یادداشت‌ها", "پخش موسیقی", "بی موسیقی"};
    for (int i = 0; i < 4; ++i) {
        TsuiCheckBox *box = i < 2 ? new TsuiCheckBox(&window) : new TsuiRadioButton(&window);
        box->SetUIStyle(style);
        box->SetColor(back);
        box->SetCaption(QString::fromUtf8(captions[i]));
        box->move(200, 48 + i * 24);
        box->SetChecked(i == 0 || i == 2);
    }
    for (int i = 0; i < 4; ++i) {
        TsuiCheckBox *box = i < 2 ? new TsuiCheckBox(&window) : new TsuiRadioButton(&window);
        box->SetUIStyle(style);
        box->SetColor(back);
        box->SetCaption(QStringLiteral("disabled"));
        box->move(320, 48 + i * 24);
        box->SetChecked(i % 2 == 0);
        box->SetEnabled(false);
    }
    window.show();
    QImage image = window.grab().toImage();
    QPainter p(&image);
    p.drawPixmap(0, 0, TitleBar(theme, 420));
    // side channel: caption bar stretched over 150, handle on the left bar
    QPixmap bar, handle;
    TsuiThemes::LoadBitmap(theme, TsuiEntry::SideChannelBarImage, bar);
    TsuiThemes::LoadBitmap(theme, TsuiEntry::SideChannelHandleImage, handle);
    const int top = 44;
    p.fillRect(QRect(10, top, 170, 190), Qt::white);
    p.setPen(TsuiThemes::GetColor(theme, TsuiEntry::ControlBorderColor));
    p.drawRect(QRect(10, top, 169, 189));
    p.drawPixmap(QRect(11, top, 168, bar.height()), bar);
    p.fillRect(QRect(11, top + bar.height(), 10, 190 - bar.height() - 1), back);
    p.drawPixmap(12, top + (190 - handle.height()) / 2, handle);
    QPixmap pin = TsuiThemes::Transparented(TsuiThemes::NamedBitmap(QStringLiteral("SIDECHANNEL_BTN")));
    p.drawPixmap(179 - 20 + 6, top + 1 + 3, pin);
    // button faces
    for (int i = 1; i <= 3; ++i) {
        QPixmap face = Frame(theme, TsuiEntry::ButtonImage, 3, i);
        if (TsuiThemes::GetBool(theme, TsuiEntry::ButtonTransparentBool)) face = TsuiThemes::Transparented(face);
        p.drawPixmap(30 + (i - 1) * (face.width() + 6), 150, face);
    }
    return image;
}

// Every bitmap of the table for the five themes, twice the size, one row per entry.
QImage BitmapSheet()
{
    struct Cell { QString name; QPixmap pixmap; };
    QList<QList<Cell>> rows;
    for (int entry = 1; entry <= TsuiEntry::Count; ++entry) {
        const TsuiThemeTableEntry *e = TsuiThemeTable::Entry(entry);
        if (e->Kind != TsuiEntryKind::Bitmap) continue;
        QList<Cell> row;
        for (TsuiUIStyle style : Styles) {
            const TsuiTheme theme = TsuiThemes::ResolveTheme(style);
            QPixmap pixmap;
            TsuiThemes::LoadBitmap(theme, entry, pixmap);
            row << Cell{TsuiThemes::BitmapName(theme, entry), pixmap};
        }
        rows << row;
    }
    QList<Cell> free;
    for (const char *name : {"SIDECHANNEL_BTN", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR",
                             "MACOS_MENU_SELECT", "MENU_CHECKED"}) {
        free << Cell{QLatin1String(name), TsuiThemes::NamedBitmap(QLatin1String(name))};
        if (free.size() == 5) rows << free, free.clear();
    }
    rows << free;
    const int scale = 2, columnWidth = 900 / 5 * 2 + 20;
    int height = 10;
    QList<int> rowHeights;
    for (const auto &row : rows) {
        int h = 0;
        for (const Cell &c : row) h = std::max(h, std::min(c.pixmap.height(), 90) * scale);
        rowHeights << h + 22;
        height += h + 22;
    }
    QImage sheet(columnWidth * 5 + 20, height, QImage::Format_RGB32);
    sheet.fill(QColor(160, 160, 160));
    QPainter p(&sheet);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    p.setFont(f);
    int y = 10;
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const Cell &cell = rows[r][c];
            const int x = 10 + c * columnWidth;
            p.setPen(Qt::black);
            p.drawText(x, y + 11, QStringLiteral("%1 %2x%3").arg(cell.name).arg(cell.pixmap.width()).arg(cell.pixmap.height()));
            QPixmap shown = cell.pixmap;
            // one-pixel columns are widened so their rows can be seen
            if (shown.width() <= 2) shown = shown.scaled(24, shown.height());
            shown = shown.copy(0, 0, std::min(shown.width(), columnWidth / scale - 5), std::min(shown.height(), 90));
            p.drawPixmap(x, y + 16, shown.scaled(shown.size() * scale));
        }
        y += rowHeights[r];
    }
    return sheet;
}

// One skinned window (frame, title bar, an open side channel holding check boxes and radio
// buttons) switched through the five themes by a theme manager; one picture per theme.
void WindowShots(const QString &folder)
{
    QWidget host;
    host.setLayoutDirection(Qt::RightToLeft);
    auto *frame = new TsuiForm(&host, TFormBorderStyle::bsSingle);
    frame->setObjectName(QStringLiteral("suiForm"));
    frame->SetCaption(QString::fromUtf8("کتاب — نمونهٔ پوسته"));
    frame->SetWidth(460);
    frame->SetHeight(260);
    auto *layout = new QHBoxLayout(frame);
    layout->setSpacing(0);
    frame->setLayoutDirection(Qt::LeftToRight);
    auto *channel = new TsuiSideChannel(frame);
    layout->addWidget(channel);
    auto *content = new QWidget(frame);
    layout->addWidget(content, 1);
    channel->setObjectName(QStringLiteral("BookMarkChannel"));
    channel->setLayoutDirection(Qt::LeftToRight);
    channel->SetWidth(190);
    const char *names[] = {"AllTopCheckBox", "BookMarkShow", "MusicOn", "MusicOff"};
    const char *captions[] = {"همه در بالا", "نمایش یادداشت‌ها", "پخش موسیقی", "بی موسیقی"};
    QStringList list{QStringLiteral("suiForm"), QStringLiteral("BookMarkChannel")};
    for (int i = 0; i < 4; ++i) {
        TsuiCheckBox *box = i < 2 ? new TsuiCheckBox(channel) : new TsuiRadioButton(channel);
        box->setObjectName(QLatin1String(names[i]));
        box->SetCaption(QString::fromUtf8(captions[i]));
        box->SetTransparent(true);
        box->move(20, 40 + i * 26);
        box->SetChecked(i == 0 || i == 2);
        list << box->objectName();
    }
    // Boxes outside the channel, on the frame, follow the manager too.
    for (int i = 0; i < 3; ++i) {
        auto *box = new TsuiCheckBox(content);
        box->setObjectName(QStringLiteral("Sample%1").arg(i));
        box->SetCaption(i == 2 ? QStringLiteral("disabled") : QString::fromUtf8(i ? "گزینهٔ دوم" : "گزینهٔ یکم"));
        box->SetTransparent(true);
        box->SetChecked(i != 1);
        box->SetEnabled(i != 2);
        box->move(40, 40 + i * 26);
        list << box->objectName();
    }
    TsuiThemeManager manager(&host);
    manager.SetCompList(list);
    host.show();
    channel->SetStayOn(true);
    channel->Pop(true);
    for (TsuiUIStyle style : Styles) {
        manager.SetUIStyle(style);
        QApplication::processEvents();
        const QString name = QString::fromLatin1(TsuiThemeTable::Prefixes[int(style)]).toLower();
        host.grab().save(folder + QStringLiteral("/skin-window-") + name + QStringLiteral(".png"));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    for (TsuiUIStyle style : Styles) {
        const QString name = QString::fromLatin1(TsuiThemeTable::Prefixes[int(style)]).toLower();
        ThemeSheet(style).save(folder + QStringLiteral("/skin-") + name + QStringLiteral(".png"));
    }
    WindowShots(folder);
    BitmapSheet().save(folder + QStringLiteral("/skin-bitmaps.png"));
    std::printf("written to %s\n", qPrintable(folder));
    return 0;
}

#include "skin/TsuiThemes.h"
#include "app/KetabApplication.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include "skin/TsuiThemeTable.h"
#include <QBitmap>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace {

bool BuiltIn(const TsuiTheme &theme) { return theme.Number >= 1 && theme.Number <= 5; }

// The raw value of a value entry of the given kind, or false when there is none.
bool Cell(const TsuiTheme &theme, int entry, TsuiEntryKind kind, qint32 &value)
{
    const TsuiThemeTableEntry *e = TsuiThemeTable::Entry(entry);
    if (!e || e->Kind != kind) return false;
    if (theme.File) {
        if (!theme.File->HasEntry(entry)) return false;
        value = theme.File->Value(entry);
        return true;
    }
    if (!BuiltIn(theme)) return false;
    value = TsuiThemeTable::Cell(theme.Number, entry);
    return true;
}

QPixmap LoadResource(const QString &name)
{
    QPixmap pixmap;
    const QString path = QStringLiteral(":/") + name;
    if (!QFile::exists(path) || !pixmap.load(path))
        throw EKetabError(TsuiThemes::tr("Bitmap resource %1 not found").arg(name));
    return pixmap;
}

// A theme file's picture: only a regular file is read, so a name in the theme that leads
// to a pipe or a device cannot stall the window that asks for it.
QPixmap LoadThemeFilePicture(const QString &path)
{
    QPixmap pixmap;
    if (!pixmap.loadFromData(TRegularFile::ReadAll(path)))
        throw EKetabError(TsuiThemes::tr("Bitmap %1 is not a picture").arg(path));
    return pixmap;
}

} // namespace

TsuiStyledControl *TsuiStyledControl::From(QObject *object)
{
    return dynamic_cast<TsuiStyledControl *>(object);
}

TsuiTheme TsuiThemes::ResolveTheme(TsuiUIStyle style, const TsuiFileTheme *fileTheme)
{
    if (style != TsuiUIStyle::FromThemeFile) return TsuiTheme{int(style), nullptr};
    if (fileTheme && fileTheme->Loaded()) return TsuiTheme{0, fileTheme};
    return TsuiTheme{int(TsuiUIStyle::DeepBlue), nullptr};
}

QColor TsuiThemes::GetColor(const TsuiTheme &theme, int entry)
{
    qint32 v = 0;
    if (!Cell(theme, entry, TsuiEntryKind::Color, v)) return QColor(0, 0, 0);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int TsuiThemes::GetInteger(const TsuiTheme &theme, int entry)
{
    qint32 v = 0;
    return Cell(theme, entry, TsuiEntryKind::Integer, v) ? v : -1;
}

bool TsuiThemes::GetBool(const TsuiTheme &theme, int entry)
{
    qint32 v = 0;
    return Cell(theme, entry, TsuiEntryKind::Bool, v) && v != 0;
}

QString TsuiThemes::BitmapName(const TsuiTheme &theme, int entry)
{
    if (theme.File) {
        const TsuiThemeTableEntry *e = TsuiThemeTable::Entry(entry);
        return e && e->Kind == TsuiEntryKind::Bitmap ? theme.File->BitmapPath(entry) : QString();
    }
    return TsuiThemeTable::BitmapName(theme.Number, entry);
}

void TsuiThemes::LoadBitmap(const TsuiTheme &theme, int entry, QPixmap &target)
{
    const QString name = BitmapName(theme, entry);
    if (name.isEmpty()) return;
    target = theme.File ? LoadThemeFilePicture(name) : NamedBitmap(name);
}

void TsuiThemes::LoadFrame(const TsuiTheme &theme, int entry, QPixmap &target, int frameCount, int frameIndex)
{
    if (frameCount == 0) {
        LoadBitmap(theme, entry, target);
        return;
    }
    if (frameCount < 0 || frameIndex < 1 || frameIndex > frameCount) return;
    QPixmap strip;
    LoadBitmap(theme, entry, strip);
    if (strip.isNull()) return;
    const int fw = strip.width() / frameCount;
    // More frames than the strip has columns: each frame is empty (QPixmap::copy of an
    // empty rectangle would give the whole strip).
    target = fw > 0 ? strip.copy((frameIndex - 1) * fw, 0, fw, strip.height()) : QPixmap();
}

QPixmap TsuiThemes::NamedBitmap(const QString &name)
{
    return LoadResource(name);
}

QPixmap TsuiThemes::Transparented(const QPixmap &bitmap, Qt::Corner corner)
{
    if (bitmap.isNull()) return bitmap;
    QImage image = bitmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int x = (corner == Qt::TopLeftCorner || corner == Qt::BottomLeftCorner) ? 0 : image.width() - 1;
    const int y = (corner == Qt::TopLeftCorner || corner == Qt::TopRightCorner) ? 0 : image.height() - 1;
    const QRgb key = image.pixel(x, y) | 0xFF000000u;
    for (int row = 0; row < image.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(row));
        for (int col = 0; col < image.width(); ++col)
            if ((line[col] | 0xFF000000u) == key) line[col] = 0;
    }
    return QPixmap::fromImage(image);
}

bool TsuiThemes::IsForm(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->isWindow();
}

TsuiUIStyle TsuiThemes::DefaultStyleFor(const QObject *owner)
{
    if (!IsForm(owner)) return TsuiUIStyle::DeepBlue;
    for (QObject *child : owner->children()) {
        if (!child->isWidgetType() || !child->inherits("TsuiForm")) continue;
        if (TsuiStyledControl *styled = TsuiStyledControl::From(child)) return styled->UIStyle();
    }
    return TsuiUIStyle::DeepBlue;
}

void TsuiThemes::PropagateStyle(QWidget *container, TsuiUIStyle style, TsuiFileTheme *fileTheme)
{
    if (!container) return;
    // Guarded copies: a child's style change may create or remove widgets.
    QList<QPointer<QObject>> children;
    for (QObject *child : container->children())
        if (child->isWidgetType()) children << child;
    for (const QPointer<QObject> &child : children) {
        if (!child) continue;
        TsuiStyledControl *styled = TsuiStyledControl::From(child);
        if (!styled || !styled->PublishesFileTheme()) continue;
        styled->SetFileTheme(fileTheme);
        styled->SetUIStyle(style);
    }
}

bool TsuiStyledControl::HoldFileTheme(QObject *self, TsuiFileTheme *&held, QMetaObject::Connection &watch,
                                      TsuiFileTheme *fileTheme)
{
    if (fileTheme == held) return false;
    QObject::disconnect(watch);
    held = fileTheme;
    if (fileTheme)
        watch = TKetabApplication::Connect(fileTheme, &QObject::destroyed, self, [this, &held] {
            held = nullptr;
            SetUIStyle(TsuiUIStyle::DeepBlue);
        });
    return true;
}

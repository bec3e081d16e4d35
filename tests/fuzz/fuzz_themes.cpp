// Theme lookups with random theme numbers, entries, frame counts and frame indexes, on
// the built-in themes and on a theme file made of the input: every value is the table's
// cell or the neutral value, and a frame is cut to its strip's width divided by the count.
// Input: theme, entry, frame count (2 bytes), frame index (2 bytes), then the theme file.
#include "FuzzSupport.h"
#include "app/Errors.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiThemeTable.h"
#include "skin/TsuiThemes.h"
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {
QTemporaryDir *Folder = nullptr;

const QPixmap &Untouched()
{
    static const QPixmap marker = [] {
        QPixmap p(3, 3);
        p.fill(Qt::magenta);
        return p;
    }();
    return marker;
}

// What LoadFrame must have done to a target that held the marker.
void CheckFrame(const TsuiTheme &theme, int entry, int count, int index)
{
    QPixmap target = Untouched();
    bool failed = false;
    try {
        TsuiThemes::LoadFrame(theme, entry, target, count, index);
    } catch (const EKetabError &) {
        failed = true;
    }
    const bool cut = count == 0 || (count > 0 && index >= 1 && index <= count);
    if (!cut) {
        FUZZ_CHECK(!failed && target.cacheKey() == Untouched().cacheKey());
        return;
    }
    QPixmap strip;
    bool stripFailed = false;
    try {
        TsuiThemes::LoadBitmap(theme, entry, strip);
    } catch (const EKetabError &) {
        stripFailed = true;
    }
    FUZZ_CHECK(failed == stripFailed);
    if (failed) {
        FUZZ_CHECK(theme.File != nullptr);  // every built-in name exists
        return;
    }
    if (strip.isNull()) {
        FUZZ_CHECK(target.cacheKey() == Untouched().cacheKey());
        return;
    }
    if (count == 0) {
        FUZZ_CHECK(target.size() == strip.size());
        return;
    }
    const int width = strip.width() / count;
    FUZZ_CHECK(width == 0 ? target.isNull() : target.size() == QSize(width, strip.height()));
    if (width > 0)
        FUZZ_CHECK(target.toImage() == strip.copy((index - 1) * width, 0, width, strip.height()).toImage());
}

void CheckValues(const TsuiTheme &theme, int entry)
{
    const TsuiThemeTableEntry *e = TsuiThemeTable::Entry(entry);
    const bool builtIn = !theme.File && theme.Number >= 1 && theme.Number <= 5;
    const auto cell = [&](TsuiEntryKind kind, qint32 &value) {
        if (!e || e->Kind != kind) return false;
        if (theme.File) {
            if (!theme.File->HasEntry(entry)) return false;
            value = theme.File->Value(entry);
            return true;
        }
        if (!builtIn) return false;
        value = TsuiThemeTable::Cell(theme.Number, entry);
        return true;
    };
    qint32 v = 0;
    const QColor colour = TsuiThemes::GetColor(theme, entry);
    FUZZ_CHECK(colour == (cell(TsuiEntryKind::Color, v) ? QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF) : QColor(0, 0, 0)));
    FUZZ_CHECK(TsuiThemes::GetInteger(theme, entry) == (cell(TsuiEntryKind::Integer, v) ? v : -1));
    FUZZ_CHECK(TsuiThemes::GetBool(theme, entry) == (cell(TsuiEntryKind::Bool, v) && v != 0));
    const QString name = TsuiThemes::BitmapName(theme, entry);
    if (!e || e->Kind != TsuiEntryKind::Bitmap || (!theme.File && !builtIn)) FUZZ_CHECK(name.isEmpty());
    else if (builtIn) FUZZ_CHECK(!name.isEmpty());
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    Folder = new QTemporaryDir(base + QStringLiteral("/ketab-fuzz-themes-XXXXXX"));
    FUZZ_CHECK(Folder->isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const int number = int(in.Byte() % 9) - 2;        // -2..6: the five themes and a few outside
    const int entry = int(in.Byte() % 48) - 2;         // -2..45
    const int count = int(int16_t(in.Word()));
    const int index = int(int16_t(in.Word()));
    const QByteArray themeText = in.Rest();

    const TsuiTheme builtIn{number, nullptr};
    CheckValues(builtIn, entry);
    CheckFrame(builtIn, entry, count, index);
    // Only the six styles exist; DeepBlue stands in for a theme file that is not there.
    if (number >= 0 && number <= 5) {
        const TsuiTheme resolved = TsuiThemes::ResolveTheme(TsuiUIStyle(number));
        FUZZ_CHECK(resolved.Number == (number == 0 ? int(TsuiUIStyle::DeepBlue) : number) && !resolved.File);
    }

    const QString path = Folder->filePath(QStringLiteral("theme.ini"));
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(themeText) == themeText.size());
    }
    TsuiFileTheme file;
    file.SetThemeFile(path);
    FUZZ_CHECK(file.Loaded());
    const TsuiTheme fromFile = TsuiThemes::ResolveTheme(TsuiUIStyle::FromThemeFile, &file);
    FUZZ_CHECK(fromFile.File == &file);
    CheckValues(fromFile, entry);
    CheckFrame(fromFile, entry, count, index);
    return 0;
}

// The notes file reader: a file a reader edited or a disk damaged, in any encoding,
// through the real load; every entry read back, saved and loaded again.
#include "FuzzSupport.h"
#include "app/Errors.h"
#include "reader/TNoteEntry.h"
#include "reader/TNotesFile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
QTemporaryDir *Folder = nullptr;
constexpr int EntriesRead = 8;

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Memory-backed when the machine has it: the target writes two files per input.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    Folder = new QTemporaryDir(base + QStringLiteral("/ketab-fuzz-notes-XXXXXX"));
    FUZZ_CHECK(Folder->isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString given = Folder->filePath(QStringLiteral("given.bmk"));
    WriteFile(given, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QStringList entries;
    try {
        entries = TNotesFile::Load(given);
    } catch (const EFileError &) {
        return 0;  // refused with a message: what a damaged file should give
    }
    for (const QString &e : entries)
        for (const QChar c : e) FUZZ_CHECK(c != u'\r' && c != u'\n' && c.unicode() != 0x2028 && c.unicode() != 0);
    // Numbers read back only from digits at their places, and compose to those digits. The
    // first entries are enough: each is read the same way, and a refusal costs a throw.
    for (const QString &e : entries.mid(0, EntriesRead)) {
        try {
            const int section = TNoteEntry::Section(e);
            FUZZ_CHECK(section >= 0 && section <= 99);
            FUZZ_CHECK(TNoteEntry::SectionDigits(e) == QString::number(section).rightJustified(2, u'0'));
        } catch (const EConvertError &) {
        }
        try {
            const int page = TNoteEntry::Page(e);
            FUZZ_CHECK(page >= 0 && page <= 9999);
            FUZZ_CHECK(TNoteEntry::Compose(1, page).endsWith(TNoteEntry::PageDigits(e)));
        } catch (const EConvertError &) {
        }
    }
    // What was read saves and loads back the same, entry for entry.
    const QString saved = Folder->filePath(QStringLiteral("saved.bmk"));
    TNotesFile::Save(saved, entries);
    FUZZ_CHECK(TNotesFile::Load(saved) == entries);
    return 0;
}

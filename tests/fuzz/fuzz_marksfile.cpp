// The marks file reader: a file another program, another version or a damaged disk left,
// through the reading alone and through the store's load. What is read lies in the book
// and writes back as it was read; what is not read whole is moved aside untouched.
#include "FuzzSupport.h"
#include "app/ReaderState.h"
#include "marks/TMarkFile.h"
#include "marks/TMarkStore.h"
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <tuple>

namespace {
QTemporaryDir *Folder = nullptr;

// A tombstone as a file keeps it: without its words and place.
TMark AsKept(const TMark &m)
{
    if (!m.Removed) return m;
    TMark t;
    t.Id = m.Id;
    t.Page = m.Page;
    t.Created = m.Created;
    t.Changed = m.Changed;
    t.Removed = true;
    return t;
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    Folder = new QTemporaryDir(base + QStringLiteral("/ketab-fuzz-marksfile-XXXXXX"));
    FUZZ_CHECK(Folder->isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // "BOOK" in the input stands for the store's book, so whole files of this book are reached.
    const QString data_ = Folder->filePath(QStringLiteral("data"));
    TMarkStore store(data_, Folder->path());
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bytes.replace("BOOK", store.BookFolder().toUtf8());

    const TMarkFile::TRead read = TMarkFile::Read(bytes);
    FUZZ_CHECK((read.Status == TMarkFile::fsWhole) == read.Error.isEmpty());
    FUZZ_CHECK(read.Status == TMarkFile::fsWhole || read.Marks.isEmpty());
    QList<TMark> kept;
    for (const TMark &m : read.Marks) {
        FUZZ_CHECK(m.Page >= 1 && m.Page <= BookPageCount);
        FUZZ_CHECK(m.Start >= 0 && m.Start <= m.End && m.End <= TMarkFile::MaxOffset);
        FUZZ_CHECK(QUuid::fromString(m.Id).toString(QUuid::WithoutBraces) == m.Id);
        FUZZ_CHECK(m.Created.isValid() && m.Changed.isValid());
        kept << AsKept(m);
    }
    if (read.Status == TMarkFile::fsWhole) {
        // The file is written in book order: compared in one order of every field.
        TMarkFile::TRead again = TMarkFile::Read(TMarkFile::Write(read.Book, read.Marks));
        const auto order = [](const TMark &a, const TMark &b) {
            return std::tie(a.Id, a.Page, a.Start, a.End, a.Created, a.Changed, a.Quote, a.Prefix, a.Suffix, a.Note, a.Style, a.Removed)
                < std::tie(b.Id, b.Page, b.Start, b.End, b.Created, b.Changed, b.Quote, b.Prefix, b.Suffix, b.Note, b.Style, b.Removed);
        };
        std::sort(kept.begin(), kept.end(), order);
        std::sort(again.Marks.begin(), again.Marks.end(), order);
        FUZZ_CHECK(again.Status == TMarkFile::fsWhole && again.Book == read.Book && again.Marks == kept);
        // What this reader takes whole is JSON to any other.
        QJsonParseError error;
        QJsonDocument::fromJson(bytes, &error);
        FUZZ_CHECK(error.error == QJsonParseError::NoError);
    }

    // Through the store: the marks read, or the file moved aside as it was.
    QDir().mkpath(data_);
    {
        QFile f(store.FileName());
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    }
    store.Load();
    const QStringList aside = QDir(data_).entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
    if (read.Status == TMarkFile::fsWhole && read.Book == store.BookFolder()) {
        FUZZ_CHECK(aside.isEmpty() && store.TakeProblem().isEmpty());
        // A file may name a mark twice: the later change of it is the one kept.
        QHash<QString, TMark> joined;
        for (const TMark &m : read.Marks) TMarkStore::Join(joined, m);
        qsizetype live = 0;
        for (const TMark &m : std::as_const(joined)) {
            live += !m.Removed;
            FUZZ_CHECK(m.Removed ? !store.Find(m.Id) : store.Find(m.Id) && *store.Find(m.Id) == m);
        }
        FUZZ_CHECK(live == store.Marks().size());
    } else {
        FUZZ_CHECK(aside.size() == 1 && store.Marks().isEmpty() && !store.TakeProblem().isEmpty());
        QFile moved(QDir(data_).filePath(aside[0]));
        FUZZ_CHECK(moved.open(QIODevice::ReadOnly) && moved.readAll() == bytes);
        moved.remove();
    }
    return 0;
}

#include "marks/TMarkStore.h"
#include "app/KetabApplication.h"
#include "app/TSettingsStore.h"
#include "marks/TMarkFile.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <tuple>
#include <unistd.h>

namespace {
TFileStamp StampOf(const QString &file)
{
    TFileStamp stamp;
    return TFileStamp::Of(file, stamp) == TFileStamp::fsRegular ? stamp : TFileStamp();
}

bool BookOrder(const TMark &a, const TMark &b)
{
    return std::tie(a.Page, a.Start, a.End, a.Created, a.Id) < std::tie(b.Page, b.Start, b.End, b.Created, b.Id);
}

// Moves a file that must not be written over to a dated name beside it; the new name, or
// nothing when it could not be moved.
QString MoveAside(const QString &file)
{
    const QString base = file.endsWith(QLatin1String(".json")) ? file.chopped(5) : file;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n < 100; ++n) {
        const QString target = base + QStringLiteral(".damaged-") + stamp + (n > 1 ? u'-' + QString::number(n) : QString())
            + QStringLiteral(".json");
        if (QFileInfo::exists(target)) continue;
        return QFile::rename(file, target) ? target : QString();
    }
    return QString();
}

// The file as it stands: none, whole, unreadable, or not this book's and moved aside (or
// not even that).
struct TFileRead {
    enum { frAbsent, frWhole, frUnreadable, frMovedAside, frStuck } State = frAbsent;
    QList<TMark> Marks;
    QString MovedTo;
};

TFileRead ReadFile(const QString &file, const QString &book)
{
    TFileRead r;
    if (!QFileInfo::exists(file)) return r;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        r.State = TFileRead::frUnreadable;
        return r;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.State = TFileRead::frUnreadable;
        return r;
    }
    f.close();
    TMarkFile::TRead read = TMarkFile::Read(bytes);
    if (read.Status == TMarkFile::fsWhole && read.Book == book) {
        r.State = TFileRead::frWhole;
        r.Marks = std::move(read.Marks);
        return r;
    }
    r.MovedTo = MoveAside(file);
    r.State = r.MovedTo.isEmpty() ? TFileRead::frStuck : TFileRead::frMovedAside;
    return r;
}

QString NotKept(const QString &file)
{
    return TMarkStore::tr("The marks file %1 cannot be read; marks made now will not be kept.").arg(file);
}

QString MovedAside(const QString &file, const QString &movedTo)
{
    return TMarkStore::tr("The marks file %1 was damaged or not this book's; it was moved to %2 and the list of "
                          "marks starts empty. Once mended, it can be imported back.")
        .arg(file, movedTo);
}

QString Stuck(const QString &file)
{
    return TMarkStore::tr("The marks file %1 is damaged and cannot be moved aside; marks made now will not be kept.")
        .arg(file);
}
}

TMarkStore::TMarkStore(const QString &folder, const QString &bookFolder)
    : FFolder(QDir::cleanPath(folder)), FBook(TSettingsStore::CanonicalFolder(bookFolder))
{
    // Another folder that hashes alike is told apart by the path inside the file.
    FFileName = FFolder + QStringLiteral("/marks-")
        + QString::fromLatin1(QCryptographicHash::hash(FBook.toUtf8(), QCryptographicHash::Sha1).toHex().left(16))
        + QStringLiteral(".json");
    FTimer.setSingleShot(true);
    FTimer.setInterval(SaveDelayMs);
    TKetabApplication::Connect(&FTimer, &QTimer::timeout, &FTimer, [this] { StartWrite(); });
}

TMarkStore::~TMarkStore()
{
    try {
        SaveNow();
    } catch (...) {
        // Nothing more can be done on the way out; the writing thread is joined all the same.
    }
    if (FWriter.joinable()) FWriter.join();
}

QString TMarkStore::UserFolder()
{
    return TSettingsStore::UserFolder("XDG_DATA_HOME", ".local/share");
}

void TMarkStore::Load()
{
    FTimer.stop();
    FinishWrite();
    FMarks.clear();
    FMemoryOnly = false;
    FDirty = false;
    if (!QDir().mkpath(FFolder) || !QFileInfo(FFolder).isWritable()) {
        FMemoryOnly = true;
        Tell(tr("The folder %1 cannot be written; marks made now will not be kept.").arg(FFolder));
    }
    // Stamped before it is read: a write by another program in between is read again.
    const TStamp stamp = StampOf(FFileName);
    TFileRead r = ReadFile(FFileName, FBook);
    switch (r.State) {
    case TFileRead::frAbsent: break;
    case TFileRead::frWhole:
        for (const TMark &m : std::as_const(r.Marks)) Join(FMarks, m);
        FSeen = stamp;
        break;
    case TFileRead::frUnreadable:
        FMemoryOnly = true;
        Tell(NotKept(FFileName));
        break;
    case TFileRead::frMovedAside: Tell(MovedAside(FFileName, r.MovedTo)); break;
    case TFileRead::frStuck:
        FMemoryOnly = true;
        Tell(Stuck(FFileName));
        break;
    }
    if (OnChanged) OnChanged();
}

QString TMarkStore::TakeProblem()
{
    return std::exchange(FProblem, QString());
}

void TMarkStore::Tell(const QString &problem)
{
    if (FTold.contains(problem)) return;
    FTold << problem;
    FProblem = FProblem.isEmpty() ? problem : FProblem + u'\n' + problem;
}

QList<TMark> TMarkStore::Marks() const
{
    QList<TMark> live;
    live.reserve(FMarks.size());
    for (const TMark &m : FMarks)
        if (!m.Removed) live.push_back(m);
    std::sort(live.begin(), live.end(), BookOrder);
    return live;
}

const TMark *TMarkStore::Find(const QString &id) const
{
    const auto it = FMarks.constFind(id);
    return it != FMarks.cend() && !it->Removed ? &*it : nullptr;
}

void TMarkStore::Put(const TMark &mark)
{
    FMarks.insert(mark.Id, mark);
    Changed();
}

void TMarkStore::Remove(const QString &id)
{
    const auto it = FMarks.find(id);
    if (it == FMarks.end() || it->Removed) return;
    // A tombstone keeps no words of the passage or its note.
    TMark &m = *it;
    m.Removed = true;
    m.Quote.clear();
    m.Prefix.clear();
    m.Suffix.clear();
    m.Note.clear();
    m.Changed = std::max(QDateTime::currentDateTimeUtc(), m.Changed.addMSecs(1));
    Changed();
}

int TMarkStore::Merge(const QList<TMark> &marks)
{
    const auto place = [](const TMark &m) {
        return QString::number(m.Page) + u':' + QString::number(m.Start) + u':' + QString::number(m.End) + u':' + m.Quote;
    };
    QSet<QString> here;
    for (const TMark &m : std::as_const(FMarks))
        if (!m.Removed) here.insert(place(m));
    int changed = 0;
    for (const TMark &m : marks) {
        if (!FMarks.contains(m.Id) && here.contains(place(m))) continue;
        if (Join(FMarks, m)) {
            ++changed;
            if (!m.Removed) here.insert(place(m));
        }
    }
    if (changed) Changed();
    return changed;
}

bool TMarkStore::Join(QHash<QString, TMark> &marks, const TMark &mark)
{
    const auto it = marks.find(mark.Id);
    if (it == marks.end()) {
        marks.insert(mark.Id, mark);
        return true;
    }
    // At the same time, a removal wins: a mark removed in one program stays removed.
    const bool later = mark.Changed > it->Changed || (mark.Changed == it->Changed && mark.Removed && !it->Removed);
    if (!later || *it == mark) return false;
    *it = mark;
    return true;
}

void TMarkStore::Changed()
{
    FDirty = true;
    SaveSoon();
    if (OnChanged) OnChanged();
}

void TMarkStore::SaveSoon()
{
    if (!FMemoryOnly && !FTimer.isActive()) FTimer.start();
}

void TMarkStore::StartWrite()
{
    if (FMemoryOnly || !FDirty) return;
    if (FWriter.joinable()) {  // one write at a time: this one after it
        FTimer.start();
        return;
    }
    FDirty = false;
    auto written = std::make_shared<TWritten>();
    FWritten = written;
    FWriter = std::thread([this, written, marks = FMarks.values(), file = FFileName, book = FBook, seen = FSeen]() {
        try {
            *written = Write(file, book, marks, seen);
        } catch (...) {
            written->Problem = tr("The marks could not be saved in %1.").arg(file);
        }
        QMetaObject::invokeMethod(&FTimer, [this] { TKetabApplication::Guarded([this] { FinishWrite(); }); },
                                  Qt::QueuedConnection);
    });
}

void TMarkStore::FinishWrite()
{
    if (!FWriter.joinable()) return;
    FWriter.join();
    const TWritten w = *FWritten;
    FWritten.reset();
    Apply(w);
}

void TMarkStore::Apply(const TWritten &w)
{
    if (w.Saved) FSeen = w.Stamp;
    else FDirty = true;
    if (w.Untouchable) FMemoryOnly = true;
    bool joined = false;
    for (const TMark &m : w.Theirs) joined = Join(FMarks, m) || joined;
    if (!w.Problem.isEmpty()) {
        Tell(w.Problem);
        if (OnProblem && !FProblem.isEmpty()) OnProblem();
    } else if (!w.Saved) {
        SaveSoon();  // another program was writing: again in a moment
    }
    if (joined && OnChanged) OnChanged();
}

void TMarkStore::SaveNow()
{
    FTimer.stop();
    FinishWrite();
    if (FMemoryOnly || !FDirty) return;
    FDirty = false;
    Apply(Write(FFileName, FBook, FMarks.values(), FSeen));
}

TMarkStore::TWritten TMarkStore::Write(const QString &fileName, const QString &book, QList<TMark> marks, const TStamp &seen)
{
    TWritten out;
    const QString folder = QFileInfo(fileName).absolutePath();
    const QString cannotWrite = tr("The folder %1 cannot be written; marks made now will not be kept.").arg(folder);
    if (!QDir().mkpath(folder)) {
        out.Problem = cannotWrite;
        return out;
    }
    QLockFile lock(fileName + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs)) {
        if (lock.error() != QLockFile::LockFailedError) out.Problem = cannotWrite;
        return out;
    }

    // The marks are this program's, one for each Id; another program's are joined in
    // only when it wrote the file since.
    const TStamp now = StampOf(fileName);
    if (!(now == TFileStamp()) && !(now == seen)) {
        TFileRead r = ReadFile(fileName, book);
        switch (r.State) {
        case TFileRead::frAbsent: break;
        case TFileRead::frWhole: {
            QHash<QString, TMark> joined;
            joined.reserve(marks.size() + r.Marks.size());
            for (const TMark &m : std::as_const(marks)) joined.insert(m.Id, m);
            for (const TMark &m : std::as_const(r.Marks))
                if (Join(joined, m)) out.Theirs.push_back(m);
            marks = joined.values();
            break;
        }
        case TFileRead::frUnreadable:
            out.Problem = NotKept(fileName);
            out.Untouchable = true;
            return out;
        case TFileRead::frStuck:
            out.Problem = Stuck(fileName);
            out.Untouchable = true;
            return out;
        case TFileRead::frMovedAside: out.Problem = MovedAside(fileName, r.MovedTo); break;
        }
    }

    const QDateTime forgotten = QDateTime::currentDateTimeUtc().addDays(-TombstoneDays);
    marks.removeIf([&forgotten](const TMark &m) { return m.Removed && m.Changed < forgotten; });
    const QByteArray bytes = TMarkFile::Write(book, marks);

    // The version before, kept by a second name for the same file, or a copy.
    const QString backup = fileName + QStringLiteral(".bak");
    if (QFileInfo::exists(fileName)) {
        QFile::remove(backup);
        if (::link(QFile::encodeName(fileName).constData(), QFile::encodeName(backup).constData()) != 0)
            QFile::copy(fileName, backup);
    }
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        out.Problem = tr("The marks could not be saved in %1: %2").arg(fileName, f.errorString());
        return out;
    }
    out.Stamp = StampOf(fileName);
    out.Saved = true;
    return out;
}

#pragma once
#include "marks/TMark.h"
#include "search/TBookText.h"
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <thread>

// The reader's marks on one book, kept in one file (TMarkFile) under the user's data
// folder, named by a digest of the book folder's canonical path, which the file also holds.
// - A change is written a moment after it is made (SaveDelayMs), and on every way out
//   (SaveNow); each write replaces the file whole and atomically, the version before kept
//   beside it as <file>.bak. The writing runs on a thread of its own, given a copy of the
//   marks.
// - Two programs on one book lose no mark: a write first reads the file as it is now
//   (when someone else wrote it since), joins it by Id, the later change winning, and
//   brings the other program's marks into this one. Removed marks stay as dated
//   tombstones, so a join does not bring them back; after TombstoneDays they are dropped.
// - A damaged or foreign file is never written over: it is moved aside under a dated name
//   and the store starts empty. A file that cannot be read, or a folder that cannot be
//   written: the store keeps its marks in memory only. Either way one message says so
//   (TakeProblem), once.
class TMarkStore {
    Q_DECLARE_TR_FUNCTIONS(TMarkStore)
public:
    static constexpr int SaveDelayMs = 1000;
    static constexpr int TombstoneDays = 90;
    // How long a write waits for another program's write to the same file.
    static constexpr int LockWaitMs = 2000;

    TMarkStore(const QString &folder, const QString &bookFolder);
    ~TMarkStore();  // saves what is not saved yet
    TMarkStore(const TMarkStore &) = delete;
    TMarkStore &operator=(const TMarkStore &) = delete;

    // $XDG_DATA_HOME/ketab, by default ~/.local/share/ketab.
    static QString UserFolder();
    QString FileName() const { return FFileName; }
    QString BookFolder() const { return FBook; }

    void Load();
    // The message to tell the reader, once; empty when there is none.
    QString TakeProblem();
    // False while marks are kept in memory only.
    bool Keeps() const { return !FMemoryOnly; }

    // The live marks in book order: by page, then by place.
    QList<TMark> Marks() const;
    // The live mark with this Id, or nullptr; valid until the next change.
    const TMark *Find(const QString &id) const;
    // Adds the mark, or replaces the one with its Id; the caller sets Changed.
    void Put(const TMark &mark);
    // Leaves a tombstone in the mark's place.
    void Remove(const QString &id);
    // Joins marks from elsewhere (an import) by Id, the later change winning; a mark with
    // the page, quote and place of a live one already here is not added again. Returns
    // how many marks were added or changed.
    int Merge(const QList<TMark> &marks);

    void SaveSoon();
    // Writes now what is not written, after waiting for a write in flight.
    void SaveNow();

    std::function<void()> OnChanged;  // after Put, Remove, Merge, Load, and a join with another program's marks
    std::function<void()> OnProblem;  // a problem arose after Load (a write failed): TakeProblem has it

    // The file as last seen (none: a default stamp): a write reads it again only when it changed since.
    using TStamp = TFileStamp;
    // What a write did, on the writing thread.
    struct TWritten {
        TStamp Stamp;
        QList<TMark> Theirs;  // marks read from the file that another program wrote
        QString Problem;
        bool Saved = false;
        bool Untouchable = false;  // the file cannot be read or moved aside: never written over
    };
    // A write: reads and joins the file when it is not as seen, drops old tombstones,
    // writes the rest. Runs on any thread; touches no store.
    static TWritten Write(const QString &fileName, const QString &book, QList<TMark> marks, const TStamp &seen);
    // Joins mark into marks by Id; true when it was added or replaced a mark.
    static bool Join(QHash<QString, TMark> &marks, const TMark &mark);

private:
    void Changed();
    void StartWrite();
    void FinishWrite();
    void Apply(const TWritten &written);
    void Tell(const QString &problem);

    QString FFolder;
    QString FBook;
    QString FFileName;
    QHash<QString, TMark> FMarks;  // tombstones too
    bool FMemoryOnly = false;
    bool FDirty = false;
    QString FProblem;
    QStringList FTold;
    TStamp FSeen;
    QTimer FTimer;
    std::thread FWriter;
    std::shared_ptr<TWritten> FWritten;
};

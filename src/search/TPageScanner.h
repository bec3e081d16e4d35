#pragma once
#include "search/TFoldedText.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Finds which search terms occur in one page file, below its first 15 lines, with the
// text buffer's find rules (TScratchText::FindIn). The result is the one a plain
// load, fifteen line deletions and a find per term give; the scanner only avoids work:
// UTF-8 and 8-bit pages are matched on their bytes when the matching style allows it,
// UTF-16 pages are matched in place, anything else is decoded in full.
// In folded mode the terms match the folded text (TFoldedTerm) of the same part of the page.
// One scanner per thread: it keeps its read buffer between pages.
struct TKeptPage;
class TPageScanner {
public:
    enum TStatus { psMissing, psScanned, psFailed };
    static constexpr int SkippedLines = 15;
    static constexpr int MaxTerms = 32;

    // terms: one per slot, empty slots allowed (an empty term is never found).
    TPageScanner(const QStringList &terms, int findOptions, bool folded = false);

    // Bit k of foundMask is set when term k occurs. A file that does not exist gives
    // psMissing; one that exists but cannot be read gives psFailed with a message.
    TStatus Scan(const QString &path, quint32 &foundMask, QString &error);
    // The same on bytes already read.
    quint32 ScanBytes(const char *data, qsizetype size) const;
    // The same on a page kept in memory (TBookText).
    quint32 ScanKept(const TKeptPage &page) const;
    // Offset of the searched part of a page's text (lines joined by CR LF): past its head.
    static qsizetype SearchedFrom(QStringView text);

private:
    struct TTerm {
        QString Text;
        QByteArray Utf8;
        QByteArray Ansi;            // windows-1256 bytes; empty when not representable
        bool ByteExact = false;     // bytes decide a match-case search exactly
        bool ByteFilter = false;    // bytes rule out a whole-word match when absent
        QByteArray KeptUtf8;        // the term in a kept page's UTF-8; empty when it cannot occur there
        std::unique_ptr<TFoldedTerm> Folded;
    };
    quint32 ScanFolded(const TFoldedText &text) const;
    quint32 ScanDecoded(const QString &text, qsizetype from) const;
    quint32 ScanBytePage(const char *data, qsizetype size, bool utf8) const;

    std::vector<TTerm> FTerms;
    int FOptions;
    bool FMatchCase;
    bool FFolded;
    std::vector<char> FBuffer;
};

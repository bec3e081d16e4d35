#pragma once
// Small books for the search tests: page files written in a chosen encoding, with a
// fifteen-line head like the book's pages, and the plain reference scan.
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "app/TextCodec.h"
#include "search/TSearchQuery.h"
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

enum TPageEncoding { peUtf8, peUtf8Bom, peUtf16Le, peUtf16Be, peAnsi };

inline QByteArray EncodePage(const QString &text, TPageEncoding encoding)
{
    switch (encoding) {
    case peUtf8: return text.toUtf8();
    case peUtf8Bom: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case peUtf16Le: return TTextCodec::EncodeUtf16LeWithMark(text);
    case peUtf16Be: {
        QByteArray out("\xFE\xFF");
        for (QChar c : text) { out += char(c.unicode() >> 8); out += char(c.unicode() & 0xFF); }
        return out;
    }
    case peAnsi: {
        char all[256];
        for (int b = 0; b < 256; ++b) all[b] = char(b);
        const QString table = TTextCodec::DecodeWindows1256(all, 256);
        QByteArray out;
        for (QChar c : text) out += char(table.indexOf(c) < 0 ? '?' : table.indexOf(c));
        return out;
    }
    }
    return {};
}

// A page as the book lays it out: fifteen lines of head, then the body.
inline QString PageText(const QString &body, const QString &headWord = QString(), const QString &eol = QStringLiteral("\r\n"))
{
    QStringList lines;
    lines << QStringLiteral("<html dir=\"rtl\">") << QStringLiteral("<head>") << QStringLiteral("<title>") + headWord + QStringLiteral("</title>");
    while (lines.size() < 15) lines << QStringLiteral("<meta name=\"x%1\" content=\"head\">").arg(lines.size());
    lines << QStringLiteral("<body>") << body << QStringLiteral("</body></html>");
    return lines.join(eol) + eol;
}

class TTestBook {
public:
    TTestBook() { QDir(Dir.path()).mkpath(QStringLiteral("datas/pix")); ReaderState.FillSectionTable(); }
    QString Folder() const { return Dir.path() + QLatin1Char('/'); }
    QString File(int page) const
    {
        return Folder() + QStringLiteral("datas/p") + SectionNo2(SectionOf(page)) + PageNo4(page) + QStringLiteral(".htm");
    }
    void Write(int page, const QString &text, TPageEncoding encoding = peUtf8) const
    {
        QFile f(File(page));
        f.open(QIODevice::WriteOnly);
        f.write(EncodePage(text, encoding));
    }
    QTemporaryDir Dir;
};

// The plain definition: load, delete the first fifteen lines, find each term.
inline quint32 PlainMask(const QString &file, const QStringList &terms, int options)
{
    TScratchText text;
    text.LoadFromFile(file);
    for (int i = 0; i < 15; ++i) text.DeleteLine(0);
    quint32 mask = 0;
    for (int k = 0; k < terms.size(); ++k)
        if (!terms[k].isEmpty() && text.Find(terms[k], 0, text.Text().size(), options) >= 0) mask |= 1u << k;
    return mask;
}

struct TPlainResult {
    int FoundCount = 0;
    std::vector<int> Pages;  // every result page, listed or not
};

inline TPlainResult PlainSearch(const TSearchQuery &q, int first, int last, int options,
                                const std::function<QString(int)> &file)
{
    TPlainResult r;
    for (int page = first; page <= last; ++page) {
        if (!QFile::exists(file(page))) continue;
        int found = 0;
        const quint32 mask = PlainMask(file(page), q.Terms, options);
        for (int k = 0; k < q.Terms.size(); ++k) found += (mask >> k) & 1;
        if (found == 0) continue;
        if (q.AllTerms) {
            if (found != q.ActiveTermCount()) continue;
            ++r.FoundCount;
        } else {
            r.FoundCount += found;
        }
        r.Pages.push_back(page);
    }
    return r;
}

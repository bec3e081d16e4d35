#include "search/TResultPage.h"
#include "app/Errors.h"
#include "app/PageMarker.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "search/TFoldedText.h"
#include <memory>

QString TResultPage::ResultLine(int page, const QString &sectionTitle)
{
    return QStringLiteral(" ") + QStringLiteral("صفحه:") + QStringLiteral(" ") + PageNo4(page) + QStringLiteral(" - ")
        + sectionTitle;
}

int TResultPage::PageOfLine(const QString &line)
{
    return StrToInt(line.mid(7, 4));
}

std::vector<bool> TResultPage::MarkablePlaces(QStringView text)
{
    const qsizetype n = text.size();
    std::vector<bool> ok(static_cast<size_t>(n + 1), true);
    bool inTag = false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (inTag) {
            ok[i] = false;  // between '<' and the character at i
            if (c == u'>') inTag = false;
        } else if (c == u'<') {
            inTag = true;
        } else if (c == u'&') {
            qsizetype j = i + 1;
            while (j < n && (text[j].isLetterOrNumber() || text[j] == u'#') && text[j].unicode() < 0x80) ++j;
            if (j < n && j > i + 1 && text[j] == u';') {
                for (qsizetype p = i + 1; p <= j; ++p) ok[p] = false;
                i = j;
            }
        }
    }
    if (inTag) ok[n] = false;
    return ok;
}

QString TResultPage::MarkTerms(const QString &text, const QStringList &terms, int findOptions, bool folded,
                               const QString &color, int *marked)
{
    if (!folded) return TPageMarker::MarkTerms(text, terms, findOptions, color, marked);
    std::vector<std::unique_ptr<TFoldedTerm>> folds;
    for (const QString &t : terms) folds.push_back(std::make_unique<TFoldedTerm>(t));
    const bool whole = findOptions & TScratchText::foWholeWord;
    // The matches of one term in one run, as offsets of the run, found once per run.
    struct TRunMatches {
        const QChar *Data = nullptr;
        qsizetype Size = -1;
        int Term = -1;
        std::vector<std::pair<qsizetype, qsizetype>> Spans;
    } cache;
    const TPageMarker::TFinder find = [&](const QString &run, int k, qsizetype from, qsizetype &length) -> qsizetype {
        if (cache.Data != run.constData() || cache.Size != run.size() || cache.Term != k) {
            cache = {run.constData(), run.size(), k, {}};
            std::vector<qsizetype> map;
            const TFoldedText folded(run, &map);
            const std::vector<bool> markable = MarkablePlaces(run);
            for (const TFoldedTerm::TSpan &s : folds[k]->FindAll(folded, whole)) {
                const qsizetype a = map[s.Begin], b = map[s.End];
                if (markable[a] && markable[b]) cache.Spans.emplace_back(a, b);
            }
        }
        for (const auto &[a, b] : cache.Spans)
            if (a >= from) {
                length = b - a;
                return a;
            }
        return -1;
    };
    return TPageMarker::MarkTerms(text, static_cast<int>(terms.size()), find, color, marked);
}

namespace {
TResultPage::TMarking Written;
}

void TResultPage::Write(TScratchText &buffer, const QString &pageFile, const QStringList &terms, int findOptions,
                        bool folded, const QString &appFolder, const QString &tempFolder)
{
    Write(buffer, {pageFile, terms, findOptions, folded, MarkColor()}, appFolder, tempFolder);
}

void TResultPage::Write(TScratchText &buffer, const TMarking &marking, const QString &appFolder,
                        const QString &tempFolder)
{
    buffer.LoadFromFile(marking.PageFile);
    const QString marked = MarkTerms(buffer.Text(), marking.Terms, marking.FindOptions, marking.Folded, marking.Color);
    buffer.SetText(TPageMarker::RewritePictureRefs(marked, appFolder));
    buffer.SaveToTempFolder(tempFolder, FileName());
    Written = marking;
}

const TResultPage::TMarking &TResultPage::LastWritten() { return Written; }

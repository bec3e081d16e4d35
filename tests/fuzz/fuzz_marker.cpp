// The search query parser and the marking of a page: random HTML, terms with markup
// characters and U+200C. The marked page with its marks taken out is the page again,
// every mark holds an occurrence of a term (a later term's marks may nest inside), and
// picture references are rewritten exactly where a plain replacement would rewrite them.
// Folded marking the same way: each mark holds what the plain folded matcher takes for
// the term, and no mark stands inside a tag or a character reference.
// Input: one byte of options, the query (a length byte and UTF-8), then the page.
#include "FuzzSupport.h"
#include "app/PageMarker.h"
#include "app/ScratchText.h"
#include "search/PlainFolding.h"
#include "search/TResultPage.h"
#include "search/TSearchQuery.h"
#include <functional>
#include <QRegularExpression>
#include <vector>

namespace {
// A colour no page or term can hold (it is taken out of both), so an opening mark in
// the marked text is always one the marker put there.
const QString Colour = QStringLiteral("\uFFFF");

struct TUnmark {
    const QString &Marked;
    const QString &Original;
    std::function<bool(qsizetype from, qsizetype to)> IsTerm;
    QString Open = TPageMarker::OpenMark(Colour);
    QString Close = TPageMarker::CloseMark();
    int Marks = 0;
    std::vector<std::pair<qsizetype, qsizetype>> Spans;

    // Whether Marked from i is Original from j with marks put around occurrences of terms.
    // A later term may be marked inside an earlier term's mark, so marks nest; open holds
    // where in Original the marks still open began. A closing mark's text may also be the
    // page's own text, so both readings are tried.
    bool From(qsizetype i, qsizetype j, std::vector<qsizetype> open)
    {
        while (i < Marked.size()) {
            if (QStringView(Marked).mid(i).startsWith(Open)) {
                open.push_back(j);
                i += Open.size();
                continue;
            }
            if (!open.empty() && QStringView(Marked).mid(i).startsWith(Close) && IsTerm(open.back(), j)) {
                std::vector<qsizetype> rest(open.begin(), open.end() - 1);
                const qsizetype from = open.back();
                if (From(i + Close.size(), j, std::move(rest))) {
                    ++Marks;
                    Spans.emplace_back(from, j);
                    return true;
                }
            }
            if (j >= Original.size() || Marked.at(i) != Original.at(j)) return false;
            ++i;
            ++j;
        }
        return open.empty() && j == Original.size();
    }
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const int options = (in.Byte() & 1) ? TScratchText::foWholeWord : TScratchText::foMatchCase;
    const QString query = QString::fromUtf8(in.Piece()).remove(Colour);
    const QString page = QString::fromUtf8(in.Rest()).remove(Colour);

    // The parse is the normalised query cut at '+' and '*', at most ten slots, with the
    // markup words and one-letter terms emptied in place.
    const TSearchQuery q = TSearchQuery::Parse(query);
    static const QRegularExpression separators(QStringLiteral("[+*]"));
    const QStringList pieces = TSearchQuery::Normalise(query).split(separators);
    FUZZ_CHECK(q.TermCount() == std::min<int>(TSearchQuery::MaxTerms, int(pieces.size())));
    for (int k = 0; k < q.TermCount(); ++k)
        FUZZ_CHECK(q.Terms[k] == (TSearchQuery::IsDroppedTerm(pieces[k]) ? QString() : pieces[k]));
    FUZZ_CHECK(q.AllTerms == query.contains(u'*'));
    for (const QString &t : q.Terms) FUZZ_CHECK(!t.contains(QChar(0x06CC)) && !t.contains(QChar(0x06A9)));

    int marked = 0;
    const QString result = TPageMarker::MarkTerms(page, q.Terms, options, Colour, &marked);
    FUZZ_CHECK(result.count(TPageMarker::OpenMark(Colour)) == marked);
    const Qt::CaseSensitivity cs = (options & TScratchText::foMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto exactTerm = [&](qsizetype from, qsizetype to) {
        const QStringView occurrence = QStringView(page).mid(from, to - from);
        for (const QString &t : q.Terms)
            if (!t.isEmpty() && t.size() == occurrence.size() && occurrence.compare(t, cs) == 0) return true;
        return false;
    };
    TUnmark unmark{result, page, exactTerm};
    FUZZ_CHECK(unmark.From(0, 0, {}));
    FUZZ_CHECK(unmark.Marks == marked);

    // Folded: the plain matcher tries every pairing, so only pages of modest size.
    if (page.size() <= 600) {
        const TSearchQuery fq = TSearchQuery::Parse(query, true);
        const QString folded = TResultPage::MarkTerms(page, fq.Terms, options, true, Colour, &marked);
        const auto foldedTerm = [&](qsizetype from, qsizetype to) {
            const QString occurrence = page.mid(from, to - from);
            for (const QString &t : fq.Terms)
                if (PlainFolding::Matches(occurrence, t, false).count({0, occurrence.size()})) return true;
            return false;
        };
        TUnmark unfold{folded, page, foldedTerm};
        FUZZ_CHECK(unfold.From(0, 0, {}));
        FUZZ_CHECK(unfold.Marks == marked);
        static const QRegularExpression reference(QStringLiteral("&[#A-Za-z0-9]+;"));
        const auto insideMarkup = [&](qsizetype at) {
            if (at > 0 && page.lastIndexOf(u'<', at - 1) > page.lastIndexOf(u'>', at - 1)) return true;
            for (const auto &m : reference.globalMatch(page))
                if (m.capturedStart() < at && at <= m.capturedEnd() - 1) return true;
            return false;
        };
        for (const auto &[from, to] : unfold.Spans) FUZZ_CHECK(!insideMarkup(from) && !insideMarkup(to));
    }

    const QString folder = QStringLiteral("/book folder/#1/");
    const QString prefix = TPageMarker::DataFolderUrl(folder);
    QString plain = page;
    plain.replace(QStringLiteral("src=\"pix"), QStringLiteral("src=\"") + prefix + QStringLiteral("pix"));
    FUZZ_CHECK(TPageMarker::RewritePictureRefs(page, folder) == plain);
    return 0;
}

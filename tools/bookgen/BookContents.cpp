#include "BookContents.h"
#include "app/BookData.h"
#include <QSet>
#include <algorithm>
#include <map>

namespace {
const QString Alphabet = QStringLiteral("آاأإءؤئبپتثجچحخدذرزژسشصضطظعغفقكگلمنوهةي");

int LetterOrder(QChar c)
{
    const qsizetype i = Alphabet.indexOf(c);
    return i < 0 ? 1000 + c.unicode() : static_cast<int>(i);
}

QString PageLink(int page)
{
    int section = 0;
    constexpr int first[6] = {0, 1, 766, 1313, 1993, 3113};
    for (int s = 1; s <= 5; ++s)
        if (page >= first[s]) section = s;
    return QStringLiteral("p%1%2.htm").arg(section, 2, 10, QLatin1Char('0')).arg(page, 4, 10, QLatin1Char('0'));
}

QStringList HeadLines(const QString &title)
{
    return {QStringLiteral("<html dir=\"rtl\" lang=\"fa\">"),
            QStringLiteral("<head>"),
            QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
            QStringLiteral("<title>%1</title>").arg(title),
            QStringLiteral("<link rel=\"stylesheet\" href=\"sheet1.css\" type=\"text/css\">"),
            QStringLiteral("</head>"),
            QStringLiteral("<body dir=\"rtl\">")};
}
}

bool TBookContents::PersianLess(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int x = LetterOrder(a.at(i)), y = LetterOrder(b.at(i));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

TBookContents::TBookContents(const TBookVocabulary &words, const TBookPages &pages, uint64_t seed)
    : FWords(words), FPages(pages), FRandom(seed)
{
}

QString TBookContents::ContentsPage(int section) const
{
    const QString title = QString::fromUtf8(SectionTitles[section - 1]);
    QStringList lines = HeadLines(QStringLiteral("فهرست - ") + title);
    lines << QStringLiteral("<h1 class=\"contents\">فهرست</h1>")
          << QStringLiteral("<h2 class=\"contents\">%1</h2>").arg(title)
          << QStringLiteral("<ul class=\"contents\">");
    for (const TBookChapter &c : FPages.Chapters(section))
        lines << QStringLiteral("<li><a href=\"%1\">%2</a> <span class=\"pageno\">%3</span></li>")
                     .arg(PageLink(c.Page), c.Title)
                     .arg(c.Page);
    lines << QStringLiteral("</ul>") << QStringLiteral("</body></html>");
    return TBookFiles::JoinLines(lines);
}

QString TBookContents::IndexPage(const QString &title, int from, int to, int count, bool works)
{
    // Candidates: words of the band that stand on at least one page and never in markup.
    std::vector<int> candidates;
    for (int rank = from; rank < to && rank < FWords.Count(); ++rank) {
        const QString &w = FWords.Word(rank);
        if (w.size() < 3 || FPages.PagesOf(rank).empty() || FPages.FixedText().contains(w)) continue;
        candidates.push_back(rank);
    }
    std::map<QString, std::vector<int>, decltype(&PersianLess)> entries(&PersianLess);
    while (static_cast<int>(entries.size()) < count && !candidates.empty()) {
        const size_t i = FRandom.Below(candidates.size());
        const int rank = candidates[i];
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(i));
        const std::vector<int> &on = FPages.PagesOf(rank);
        std::vector<int> chosen;
        const int links = std::min<int>(static_cast<int>(on.size()), FRandom.Range(1, 4));
        for (int k = 0; k < links; ++k) chosen.push_back(on[on.size() * k / links]);
        entries[FWords.Word(rank)] = chosen;
    }

    QStringList lines = HeadLines(title);
    lines << QStringLiteral("<h1 class=\"index\">%1</h1>").arg(title);
    QChar letter;
    bool open = false;
    for (const auto &[word, pages] : entries) {
        if (word.at(0) != letter) {
            if (open) lines << QStringLiteral("</ul>");
            letter = word.at(0);
            lines << QStringLiteral("<h3 class=\"letter\">%1</h3>").arg(letter) << QStringLiteral("<ul class=\"index\">");
            open = true;
        }
        QStringList links;
        for (int p : pages) links << QStringLiteral("<a href=\"%1#%2\">%3</a>").arg(PageLink(p), word).arg(p);
        const QString shown = works ? QStringLiteral("«%1»").arg(word) : word;
        lines << QStringLiteral("<li><span class=\"word\">%1</span> %2</li>").arg(shown, links.join(QStringLiteral("، ")));
    }
    if (open) lines << QStringLiteral("</ul>");
    lines << QStringLiteral("</body></html>");
    return TBookFiles::JoinLines(lines);
}

void TBookContents::Write(const QString &bookFolder)
{
    for (int s = 1; s <= 5; ++s)
        TBookFiles::Write(QStringLiteral("%1/datas/dir%2.htm").arg(bookFolder).arg(s, 2, 10, QLatin1Char('0')),
                          TBookFiles::Encode(ContentsPage(s), TBookEncoding::Utf8Bom));
    const int split = 2500;
    TBookFiles::Write(bookFolder + QStringLiteral("/datas/ind01.htm"),
                      TBookFiles::Encode(IndexPage(QStringLiteral("فهرست عمومي"), TBookPages::IndexBandFrom, split, 320, false),
                                         TBookEncoding::Utf8Bom));
    TBookFiles::Write(bookFolder + QStringLiteral("/datas/ind02.htm"),
                      TBookFiles::Encode(IndexPage(QStringLiteral("فهرست آثار"), split, TBookPages::IndexBandTo, 220, true),
                                         TBookEncoding::Utf8Bom));
}

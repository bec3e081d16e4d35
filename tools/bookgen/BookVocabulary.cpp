#include "BookVocabulary.h"
#include <QFile>
#include <algorithm>
#include <iterator>
#include <set>
#include <stdexcept>

namespace {
// The most frequent words of Persian prose, most frequent first.
const char *const CommonWords[] = {
    "و", "در", "به", "از", "كه", "اين", "را", "با", "است", "آن", "براي", "بود", "هم", "تا", "او",
    "شد", "نيز", "بر", "يك", "پس", "خود", "اما", "كرد", "چون", "شده", "ما", "هر", "آنها", "دو",
    "بسيار", "ديگر", "مي‌شود", "بودند", "اند", "كرده", "همه", "پادشاه", "شهر", "سال", "ايران", "زمان",
    "مردم", "جنگ", "سپاه", "چنين", "پيش", "پدر", "سرزمين", "دست", "روزگار", "كار", "ميان", "نام", "فرمان",
};

// FNV-1a over the UTF-16 code units: a stable choice of words independent of order.
uint64_t StableHash(const QString &s)
{
    uint64_t h = 1469598103934665603ull;
    for (QChar c : s) {
        h ^= c.unicode();
        h *= 1099511628211ull;
    }
    return h;
}
}

QString TBookVocabulary::ToArabicLetters(QString text)
{
    text.replace(QChar(0x06CC), QChar(0x064A));
    text.replace(QChar(0x06A9), QChar(0x0643));
    return text;
}

TBookVocabulary::TBookVocabulary(const QString &wordListPath, TBookRandom &random)
{
    QFile file(wordListPath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read the word list " + wordListPath).toStdString());
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    std::set<QString> seen;
    for (const char *w : CommonWords) {
        const QString word = ToArabicLetters(QString::fromUtf8(w));
        if (seen.insert(word).second) FWords.push_back(word);
    }

    // A sample of the list: short to middling words with at most one joiner, about one
    // in eleven; each gets a sort key that favours short words for the frequent ranks.
    std::vector<std::pair<uint64_t, QString>> picked;
    for (QString line : lines) {
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        if (slash >= 0) line.truncate(slash);
        line = line.trimmed();
        if (line.size() < 2 || line.size() > 10 || line.at(0).isDigit()) continue;
        if (line.count(QChar(0x200C)) > 1) continue;
        bool persian = true;
        for (QChar c : line)
            if (!(c.unicode() >= 0x0600 && c.unicode() <= 0x06FF) && c.unicode() != 0x200C) persian = false;
        if (!persian) continue;
        const uint64_t h = StableHash(line);
        if (h % 11 != 0) continue;
        const QString word = ToArabicLetters(line);
        if (!seen.insert(word).second) continue;
        const uint64_t key = static_cast<uint64_t>(word.size()) * 4096 + random.Below(16384);
        picked.emplace_back(key, word);
    }
    std::stable_sort(picked.begin(), picked.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto &p : picked) FWords.push_back(p.second);
    if (FWords.size() < 1000) throw std::runtime_error("the word list holds too few Persian words");

    FCumulative.resize(FWords.size());
    // Function words weigh three times their rank's share, so that about half the running
    // text is made of them, as in real prose.
    const size_t common = std::size(CommonWords);
    uint64_t total = 0;
    for (size_t r = 0; r < FWords.size(); ++r) {
        total += (uint64_t(1) << 32) / (r + 3) * (r < common ? 3 : 1);
        FCumulative[r] = total;
    }
}

int TBookVocabulary::DrawRank(TBookRandom &random) const
{
    const uint64_t x = random.Below(FCumulative.back());
    return static_cast<int>(std::upper_bound(FCumulative.begin(), FCumulative.end(), x) - FCumulative.begin());
}

QString TBookVocabulary::DrawBand(TBookRandom &random, int from, int to) const
{
    to = std::min(to, Count());
    return FWords[from + random.Below(static_cast<uint64_t>(to - from))];
}

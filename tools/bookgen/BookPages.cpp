#include "BookPages.h"
#include "BookFigures.h"
#include "app/BookData.h"
#include <QFile>
#include <iterator>

namespace {
constexpr int SectionFirst[6] = {0, 1, 766, 1313, 1993, 3113};
constexpr int SectionLast[6] = {0, 765, 1312, 1992, 3112, 3983};

// Latin names as a history book cites them, in the letter cases that occur in print.
const char *const LatinWords[] = {
    "Persepolis", "PERSEPOLIS", "Pasargadae", "Ctesiphon", "Susa", "SUSA", "Avesta", "avesta",
    "Zagros", "Tigris", "Oxus", "Herodotus", "Strabo", "Ptolemy", "Bactria", "Parthia", "PARTHIA",
    "Khorasan", "Sogdiana", "Nishapur", "Isfahan", "ISFAHAN", "Tabriz", "Rayy", "Merv", "Samarkand",
    "Bukhara", "Ghazni", "Tus", "Sistan", "Ecbatana", "ecbatana",
};

// Compound words as the book joins them with a half-space; the part after the joiner
// written apart gives the same word as a careless print has it.
const char *const Compounds[] = {
    "مي‌شود", "مي‌كردند", "آن‌ها", "نمي‌شد", "سرزمين‌ها", "پادشاه‌نشين",
    "كتاب‌خانه", "بي‌گمان", "جنگ‌افزار", "شاه‌نامه",
};
// Names with the alef forms the book keeps.
const char *const HamzaNames[] = {"أحمد", "إسماعيل", "مأمون", "آذربايجان", "مؤبد", "رئيس"};
// Vowel marks of verse: fatha, kasra, damma, sukun, shadda, tanwin.
const char16_t Marks[] = {0x064E, 0x0650, 0x064F, 0x0652, 0x0651, 0x064B};

QString PersianDigits(int n, int width)
{
    QString s = QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    for (QChar &c : s) c = QChar(0x06F0 + (c.unicode() - u'0'));
    return s;
}

int SectionOfPage(int page)
{
    for (int s = 1; s <= 5; ++s)
        if (SectionFirst[s] <= page && page <= SectionLast[s]) return s;
    return 0;
}
}

TBookEncoding TBookPages::EncodingOf(int page)
{
    if (page % 9 == 4) return TBookEncoding::Utf16LeBom;
    if (page % 101 == 7) return TBookEncoding::Utf8;
    return TBookEncoding::Utf8Bom;
}

bool TBookPages::LfOnly(int page)
{
    return EncodingOf(page) == TBookEncoding::Utf8Bom && page % 67 == 11;
}

QString TBookPages::VolumeName(int section)
{
    const QString title = QString::fromUtf8(SectionTitles[section - 1]);
    return title.left(title.indexOf(QLatin1Char(':')));
}

TBookPages::TBookPages(const TBookVocabulary &words, uint64_t seed)
    : FWords(words), FRandom(seed), FWordPages(IndexBandTo - IndexBandFrom)
{
    // Phrases that recur through the book, as set expressions do.
    for (int i = 0; i < 40; ++i) {
        QStringList phrase;
        const int n = FRandom.Range(2, 4);
        for (int k = 0; k < n; ++k) phrase << FWords.DrawBand(FRandom, 20, 1500);
        FPhrases.push_back(phrase);
    }
    for (int s = 1; s <= 5; ++s) FFixedText += QString::fromUtf8(SectionTitles[s - 1]) + QLatin1Char('\n');
    FFixedText += QStringLiteral("صفحه فصل شكل فهرست جلد بخش\n");
    for (const TBookFigure &f : TBookFigures::All()) FFixedText += f.Caption + QLatin1Char('\n');
    PlanChapters();
}

void TBookPages::PlanChapters()
{
    for (int s = 1; s <= 5; ++s) {
        int page = SectionFirst[s];
        int number = 1;
        while (page <= SectionLast[s]) {
            QStringList title;
            const int n = FRandom.Range(2, 5);
            for (int k = 0; k < n; ++k) title << FWords.DrawBand(FRandom, 40, 4000);
            TBookChapter chapter{number, page, QStringLiteral("فصل %1: %2").arg(number).arg(title.join(QLatin1Char(' ')))};
            FFixedText += chapter.Title + QLatin1Char('\n');
            FChapters[s].push_back(chapter);
            ++number;
            page += FRandom.Range(9, 27);
        }
    }
}

QString TBookPages::Sentence(int page)
{
    QString out;
    const int n = FRandom.Range(5, 16);
    const int phraseAt = FRandom.Chance(12) ? FRandom.Range(0, n - 1) : -1;
    const int latinAt = FRandom.Chance(4) ? FRandom.Range(1, n - 1) : -1;
    for (int i = 0; i < n; ++i) {
        if (i) out += QLatin1Char(' ');
        if (i == phraseAt) {
            out += FPhrases[FRandom.Below(FPhrases.size())].join(QLatin1Char(' ')) + QLatin1Char(' ');
        }
        const int rank = FWords.DrawRank(FRandom);
        out += FWords.Word(rank);
        if (rank >= IndexBandFrom && rank < IndexBandTo) {
            std::vector<int> &pages = FWordPages[rank - IndexBandFrom];
            if (pages.empty() || pages.back() != page) pages.push_back(page);
        }
        if (i == latinAt)
            out += QStringLiteral(" (%1)").arg(QString::fromLatin1(LatinWords[FRandom.Below(std::size(LatinWords))]));
        if (i + 1 < n && FRandom.Chance(6)) out += QChar(0x060C);  // Arabic comma
    }
    out += QLatin1Char('.');
    return out;
}

QString TBookPages::Paragraph(int page, int sentences)
{
    QStringList parts;
    for (int i = 0; i < sentences; ++i) parts << Sentence(page);
    return QStringLiteral("<p align=\"justify\">") + parts.join(QLatin1Char(' ')) + QStringLiteral("</p>");
}

QStringList TBookPages::PageLines(int page, int section)
{
    const TBookEncoding encoding = EncodingOf(page);
    const QString charset = encoding == TBookEncoding::Utf16LeBom ? QStringLiteral("utf-16") : QStringLiteral("utf-8");
    const QString volume = VolumeName(section);
    QStringList lines;
    // Fifteen lines of head, the body tag last among them.
    lines << QStringLiteral("<html dir=\"rtl\" lang=\"fa\">")
          << QStringLiteral("<head>")
          << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=%1\">").arg(charset)
          << QStringLiteral("<meta name=\"viewport\" content=\"width=device-width\">")
          << QStringLiteral("<title>%1 - صفحه %2</title>").arg(volume).arg(page)
          << QStringLiteral("<meta name=\"section\" content=\"%1\">").arg(section)
          << QStringLiteral("<meta name=\"page\" content=\"%1\">").arg(page)
          << QStringLiteral("<link rel=\"stylesheet\" href=\"sheet1.css\" type=\"text/css\">")
          << QStringLiteral("<meta name=\"author\" content=\"ketab\">")
          << QStringLiteral("<meta name=\"keywords\" content=\"%1\">").arg(volume)
          << QStringLiteral("<meta name=\"language\" content=\"fa\">")
          << QStringLiteral("<meta name=\"robots\" content=\"noindex\">")
          << QStringLiteral("<meta name=\"generator\" content=\"ketab-bookgen\">")
          << QStringLiteral("</head>")
          << QStringLiteral("<body dir=\"rtl\">");
    Q_ASSERT(lines.size() == HeadLines);

    // The searched lines hold only markup whose words the search drops (p, b, font, align,
    // justify, left, right) and the pictures' references; the look comes from the style
    // sheet's element rules. A query for a word of markup then finds nothing, as in the
    // real book, and marking a found word never lands inside a tag.
    lines << QStringLiteral("<p align=\"left\"><b>%1 - صفحه %2</b></p>").arg(volume).arg(page);
    for (const TBookChapter &c : FChapters[section])
        if (c.Page == page) lines << QStringLiteral("<p align=\"right\"><b>%1</b></p>").arg(c.Title);

    const bool longPage = FRandom.Chance(6);
    const int paragraphs = longPage ? FRandom.Range(10, 16) : FRandom.Range(3, 6);
    const auto figures = TBookFigures::OnPage(page);
    for (int i = 0; i < paragraphs; ++i) {
        lines << Paragraph(page, FRandom.Range(2, 6));
        if (i == 0 && !figures.empty()) {
            for (const TBookFigure *f : figures) lines << QStringLiteral("<p><img src=\"pix/%1.jpg\"></p>").arg(f->Name);
            QStringList captions;
            for (const TBookFigure *f : figures) captions << QStringLiteral("شكل %1. %2").arg(f->Number).arg(f->Caption);
            lines << QStringLiteral("<p><font>%1</font></p>").arg(captions.join(QStringLiteral(" - ")));
        }
    }
    if (HasVariants(page)) lines << VariantsParagraph(page).split(QStringLiteral("\r\n"));
    if (HasQuotation(page)) lines << QuotationParagraph(page);
    lines << QStringLiteral("<p align=\"left\">%1</p>").arg(page);
    lines << QStringLiteral("</body></html>");
    return lines;
}

// Drawn from its own source, so the rest of the book stays as it is without these pages.
QString TBookPages::VariantsParagraph(int page) const
{
    TBookRandom random(0x5EED0000ull + static_cast<uint64_t>(page));
    QStringList verse;
    for (int i = 0; i < 6; ++i) {
        QString word = FWords.DrawBand(random, 0, IndexBandFrom);
        QString marked;
        for (const QChar c : word) {
            marked += c;
            if (c.unicode() != 0x200C && random.Chance(45)) marked += QChar(Marks[random.Below(std::size(Marks))]);
        }
        verse << marked;
        if (i == 2) verse << QStringLiteral("/");
    }
    const QString compound = QString::fromUtf8(Compounds[random.Below(std::size(Compounds))]);
    const QString other = QString::fromUtf8(Compounds[random.Below(std::size(Compounds))]);
    const QString date = PersianDigits(random.Range(1300, 1399), 4) + QLatin1Char('/') + PersianDigits(random.Range(1, 12), 2)
        + QLatin1Char('/') + PersianDigits(random.Range(1, 29), 2);
    const QString name = QString::fromUtf8(HamzaNames[random.Below(std::size(HamzaNames))]);
    // About half of these pages also write the compounds apart, as a careless print does.
    const QString apart = random.Chance(50)
        ? QStringLiteral(" و %1 را %2 و %3").arg(QString(compound).replace(QChar(0x200C), QLatin1Char(' ')), other,
                                             QString(other).replace(QChar(0x200C), QLatin1Char(' ')))
        : QStringLiteral(" و %1 را").arg(other);
    return QStringLiteral("<p><b>%1</b></p>\r\n<p align=\"justify\">در تاريخ %2 %3 از %4 گفت%5 خواند.</p>")
        .arg(verse.join(QLatin1Char(' ')), date, name, compound, apart);
}

// Drawn from its own source as well, so the pages without a quotation stay as they are.
QString TBookPages::QuotationParagraph(int page) const
{
    TBookRandom random(0x0A1A0000ull + static_cast<uint64_t>(page));
    const auto markIn = [&random](char16_t from, char16_t to) { return QChar(static_cast<char16_t>(from + random.Below(to - from + 1))); };
    const int n = random.Range(5, 7);
    QString verse = QChar(0x061C);  // the Arabic letter mark
    for (int i = 0; i < n; ++i) {
        QString word = FWords.DrawBand(random, 0, IndexBandFrom);
        // Marks that stand on a letter: one on each of the first words, of a group of its own.
        const char16_t groups[3][2] = {{0x0610, 0x061A}, {0x06DF, 0x06E8}, {0x06EA, 0x06ED}};
        if (i < 3 && word.size() > 1 && !word.contains(QChar(0x200C)))
            word.insert(1 + static_cast<int>(random.Below(static_cast<uint64_t>(word.size() - 1))), markIn(groups[i][0], groups[i][1]));
        verse += word;
        if (i == 2 || random.Chance(25)) verse += markIn(0x06D6, 0x06DC);  // a pause mark after the word
        if (i + 1 < n) verse += i == 0 ? QChar(0x00A0) : i == 3 ? QChar(0x202F) : random.Chance(20) ? QChar(0x00A0) : QChar(u' ');
    }
    return QStringLiteral("<p align=\"justify\">چنين آمده است: «%1»</p>").arg(verse);
}

void TBookPages::Write(const QString &bookFolder)
{
    for (int page = 1; page <= 3983; ++page) {
        const int section = SectionOfPage(page);
        const QString text = TBookFiles::JoinLines(PageLines(page, section), LfOnly(page));
        const QString name = QStringLiteral("%1/datas/p%2%3.htm")
                                 .arg(bookFolder)
                                 .arg(section, 2, 10, QLatin1Char('0'))
                                 .arg(page, 4, 10, QLatin1Char('0'));
        TBookFiles::Write(name, TBookFiles::Encode(text, EncodingOf(page)));
    }
}

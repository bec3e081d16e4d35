#include "app/BookData.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "app/TextCodec.h"
#include "search/TSearchQuery.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

// The generated sample book: every file the reader relies on is there, named and
// shaped as the reader reads it, and every link and index word leads somewhere real.
class TestSampleBook : public QObject {
    Q_OBJECT

    QString FBook;
    QHash<int, QString> FPages;  // page number -> decoded text, loaded once

    static QByteArray ReadBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString ReadText(const QString &path) { return TTextCodec::Decode(ReadBytes(path)); }

    // Width and height of a JPEG decoded with libjpeg, or an empty size when it fails.
    static QSize DecodeJpeg(const QString &path)
    {
        struct TError {
            jpeg_error_mgr Public;
            jmp_buf Back;
        };
        const QByteArray bytes = ReadBytes(path);
        if (bytes.isEmpty()) return {};
        jpeg_decompress_struct info {};
        TError error {};
        info.err = jpeg_std_error(&error.Public);
        error.Public.error_exit = [](j_common_ptr i) { longjmp(reinterpret_cast<TError *>(i->err)->Back, 1); };
        error.Public.output_message = [](j_common_ptr) {};
        jpeg_create_decompress(&info);
        if (setjmp(error.Back)) {
            jpeg_destroy_decompress(&info);
            return {};
        }
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        std::vector<unsigned char> row(static_cast<size_t>(info.output_width) * info.output_components);
        unsigned char *rows[1] = {row.data()};
        while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
        const QSize size(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        return size;
    }

    static QString PageName(int page)
    {
        return QStringLiteral("p") + SectionNo2(SectionOf(page)) + PageNo4(page) + QStringLiteral(".htm");
    }

private slots:
    void initTestCase()
    {
        FBook = QStringLiteral(KETAB_BOOK_DIR "/");
        QVERIFY2(QFile::exists(FBook + QStringLiteral("datas/p010001.htm")), "the sample book is not built (target ketab_book)");
        ReaderState.FillSectionTable();
        ReaderState.AppFolder = FBook;
        for (int page = 1; page <= BookPageCount; ++page) FPages.insert(page, ReadText(PageFile(SectionOf(page), page)));
    }

    void everyPageInItsSectionsName()
    {
        const QStringList names = QDir(FBook + QStringLiteral("datas")).entryList({QStringLiteral("p*.htm")}, QDir::Files);
        QCOMPARE(names.size(), BookPageCount);
        for (int page = 1; page <= BookPageCount; ++page) {
            QVERIFY2(names.contains(PageName(page)), qPrintable(PageName(page)));
            QVERIFY2(!FPages.value(page).isEmpty(), qPrintable(PageName(page)));
        }
    }

    void pagesHaveFifteenHeadLinesAndAClosingLastLine()
    {
        int utf16 = 0, plain = 0, loneLf = 0;
        for (int page = 1; page <= BookPageCount; ++page) {
            const QByteArray bytes = ReadBytes(PageFile(SectionOf(page), page));
            if (bytes.startsWith("\xFF\xFE")) ++utf16;
            else if (!bytes.startsWith("\xEF\xBB\xBF")) ++plain;
            if (!bytes.contains("\r\n") && !bytes.startsWith("\xFF\xFE")) ++loneLf;

            // The way the search and the print read a page: through the buffer, minus
            // fifteen lines (and, for printing, minus the last).
            TScratchText buffer;
            buffer.SetText(FPages.value(page));
            const QStringList lines = buffer.Text().split(QStringLiteral("\r\n"));
            const QString name = PageName(page);
            QVERIFY2(lines.at(14).startsWith(QStringLiteral("<body")), qPrintable(name));
            QVERIFY2(lines.at(15).contains(QStringLiteral("صفحه %1<").arg(page)), qPrintable(name));
            for (int i = 0; i < 15; ++i) QVERIFY2(!lines.at(i).contains(QStringLiteral("<p")), qPrintable(name));
            const int last = buffer.LineCount() - 1;
            QVERIFY2(lines.at(last) == QStringLiteral("</body></html>"), qPrintable(name));
            for (int i = 0; i < 15; ++i) buffer.DeleteLine(0);
            buffer.DeleteLine(buffer.LineCount() - 1);
            QVERIFY2(!buffer.Text().contains(QStringLiteral("<body")) && !buffer.Text().contains(QStringLiteral("</body")), qPrintable(name));
            QVERIFY2(buffer.Text().contains(QStringLiteral("<p align=\"justify\">")), qPrintable(name));
        }
        // Mostly UTF-8 with a mark, a fixed share UTF-16 LE, a few without mark or with lone LF.
        QVERIFY(utf16 > 300 && utf16 < 800);
        QVERIFY(plain > 10 && plain < 100);
        QVERIFY(loneLf > 10 && loneLf < 100);
    }

    // The searched part of a page (after its fifteen head lines) holds markup only with
    // words the search drops, and the pictures' references: a Latin query never finds
    // a page by its markup, and marking a found word never lands inside a tag.
    void searchedLinesHoldOnlyMarkupTheSearchDrops()
    {
        const QRegularExpression tag(QStringLiteral("<[^>]*>")), word(QStringLiteral("[A-Za-z]+"));
        const QStringList pictureWords{QStringLiteral("img"), QStringLiteral("src"), QStringLiteral("pix"),
                                       QStringLiteral("shekl"), QStringLiteral("jpg")};
        QSet<QString> seen;
        for (int page = 1; page <= BookPageCount; ++page) {
            QStringList lines = FPages.value(page).split(QRegularExpression(QStringLiteral("\r\n|\n")));
            const QString searched = lines.mid(15).join(QLatin1Char('\n'));
            for (const auto &t : tag.globalMatch(searched))
                for (const auto &w : word.globalMatch(t.captured())) {
                    const QString markup = w.captured();
                    seen.insert(markup);
                    QVERIFY2(TSearchQuery::IsDroppedTerm(markup) || pictureWords.contains(markup),
                             qPrintable(PageName(page) + QLatin1Char(' ') + markup));
                }
        }
        // The markup a page of the book uses, all of it.
        for (const char *w : {"p", "b", "font", "align", "justify", "left", "right", "body", "html", "img", "src"})
            QVERIFY2(seen.contains(QString::fromLatin1(w)), w);
    }

    void textIsPersianWithArabicYehAndKafAndSomeLatin()
    {
        QString all;
        for (int page = 1; page <= BookPageCount; page += 7) all += FPages.value(page);
        QVERIFY(!all.contains(QChar(0x06CC)));
        QVERIFY(!all.contains(QChar(0x06A9)));
        QVERIFY(all.count(QChar(0x064A)) > 1000);
        QVERIFY(all.count(QChar(0x0643)) > 100);
        QVERIFY(all.contains(QStringLiteral("Persepolis")) && all.contains(QStringLiteral("PERSEPOLIS")));
        // A common word stands on almost every page (as a whole word), a rare one on few.
        int withCommon = 0;
        for (int page = 1; page <= BookPageCount; page += 7)
            if (TScratchText::FindIn(FPages.value(page), QStringLiteral("پادشاه"), 0, FPages.value(page).size(), TScratchText::foWholeWord) >= 0)
                ++withCommon;
        QVERIFY(withCommon > 300);
    }

    // A few percent of the pages hold what folded search is for: vowel marks, Persian digits,
    // a compound joined and apart, a quotation with Quranic marks and no-break spaces.
    void aFewPagesHoldSpellingVariants()
    {
        const QRegularExpression compound(QStringLiteral("(\\w+)\u200C(\\w+)"), QRegularExpression::UseUnicodePropertiesOption);
        int marks = 0, digits = 0, apart = 0, quoted = 0;
        for (int page = 1; page <= BookPageCount; ++page) {
            const QString text = FPages.value(page);
            marks += std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x064B && c.unicode() <= 0x0652; });
            digits += std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9; });
            quoted += text.contains(QChar(0x061C)) && text.contains(QChar(0x00A0))
                && std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06DC; });
            for (const auto &m : compound.globalMatch(text))
                if (text.contains(m.captured(1) + QLatin1Char(' ') + m.captured(2))) {
                    ++apart;
                    break;
                }
        }
        for (const int pages : {marks, digits, apart, quoted})
            QVERIFY2(pages > BookPageCount / 100 && pages < BookPageCount / 10, qPrintable(QString::number(pages)));
    }

    void contentsLinksLeadToPagesOfTheirSection()
    {
        const QRegularExpression href(QStringLiteral("href=\"(p(\\d\\d)(\\d\\d\\d\\d)\\.htm)\""));
        for (int s = 1; s <= 5; ++s) {
            const QString text = ReadText(ContentsFile(s));
            QVERIFY(text.contains(QString::fromUtf8(SectionTitles[s - 1])));
            QVERIFY(text.contains(QStringLiteral("dir=\"rtl\"")));
            int links = 0;
            for (const auto &m : href.globalMatch(text)) {
                ++links;
                const int page = m.captured(3).toInt();
                QCOMPARE(m.captured(2).toInt(), s);
                QCOMPARE(SectionOf(page), s);
                QVERIFY2(QFile::exists(FBook + QStringLiteral("datas/") + m.captured(1)), qPrintable(m.captured(1)));
            }
            QVERIFY2(links >= 24, qPrintable(QString::number(links)));
        }
    }

    void indexLinksLeadToPagesHoldingTheirWord()
    {
        const QRegularExpression href(QStringLiteral("href=\"p(\\d\\d)(\\d\\d\\d\\d)\\.htm#([^\"]+)\""));
        for (const QString name : {QStringLiteral("ind01.htm"), QStringLiteral("ind02.htm")}) {
            const QString text = ReadText(FBook + QStringLiteral("datas/") + name);
            QSet<QString> words;
            for (const auto &m : href.globalMatch(text)) {
                const int section = m.captured(1).toInt(), page = m.captured(2).toInt();
                const QString word = m.captured(3);
                words.insert(word);
                QCOMPARE(SectionOf(page), section);
                QVERIFY(FPages.contains(page));
                // The word stands in the page's text, case-sensitively, and not in its
                // head lines, so marking it never lands inside the markup.
                const QString pageText = FPages.value(page);
                const qsizetype bodyStart = pageText.indexOf(QStringLiteral("<body"));
                QVERIFY2(pageText.indexOf(word, bodyStart) > bodyStart, qPrintable(name + QLatin1Char(' ') + word));
                QVERIFY2(!pageText.left(bodyStart).contains(word), qPrintable(word));
            }
            QVERIFY2(words.size() >= 150, qPrintable(name));
        }
    }

    void picturesAndTheirList()
    {
        const QByteArray list = ReadBytes(FBook + QStringLiteral("datas/pix/pix.txt"));
        // One base name per line, every line ended by CR LF, nothing else.
        QVERIFY(list.endsWith("\r\n"));
        QCOMPARE(list.count("\r\n"), 39);
        QCOMPARE(list.count('\n'), 39);
        QList<QByteArray> names = list.split('\n');
        names.removeLast();
        QCOMPARE(names.size(), 39);
        bool large = false, portrait = false, landscape = false, small = false;
        for (int item = 0; item < 39; ++item) {
            QVERIFY(names[item].endsWith('\r'));
            const QString name = QString::fromLatin1(names[item].chopped(1));
            QVERIFY(!name.isEmpty());
            const QSize size = DecodeJpeg(FBook + QStringLiteral("datas/pix/") + name + QStringLiteral(".jpg"));
            QVERIFY2(!size.isEmpty(), qPrintable(name));
            large |= size.width() > 1920 && size.height() > 1080;
            portrait |= size.height() > size.width();
            landscape |= size.width() > size.height();
            small |= size.width() <= 240;
            // The item's page shows its picture.
            const QString page = FPages.value(GalleryFigures[item].Page);
            QVERIFY2(page.contains(QStringLiteral("src=\"pix/%1.jpg\"").arg(name)), qPrintable(name));
        }
        QVERIFY(large && portrait && landscape && small);
        // The page of figures 31 and 32 has two pictures.
        QCOMPARE(FPages.value(3693).count(QStringLiteral("<img src=\"pix/")), 2);
        // Every picture any page refers to exists.
        const QRegularExpression src(QStringLiteral("src=\"(pix/[^\"]+)\""));
        int refs = 0;
        for (const QString &text : std::as_const(FPages))
            for (const auto &m : src.globalMatch(text)) {
                ++refs;
                QVERIFY2(QFile::exists(FBook + QStringLiteral("datas/") + m.captured(1)), qPrintable(m.captured(1)));
            }
        QCOMPARE(refs, 40);
    }

    void musicStyleSheetFontAndHelp()
    {
        QSet<QByteArray> tracks;
        for (int n = 1; n <= 5; ++n) {
            const QByteArray mp3 = ReadBytes(FBook + QStringLiteral("Musics/Music%1.mp3").arg(n));
            QVERIFY2(mp3.size() > 150 * 1024, qPrintable(QString::number(n)));
            QVERIFY(static_cast<uchar>(mp3[0]) == 0xFF && (static_cast<uchar>(mp3[1]) & 0xE0) == 0xE0);  // frame sync
            tracks.insert(mp3);
        }
        QCOMPARE(tracks.size(), 5);

        const QString css = ReadText(FBook + QStringLiteral("datas/sheet1.css"));
        QVERIFY(css.contains(QStringLiteral("\"Rederu\"")) && css.contains(QStringLiteral("direction: rtl")));
        QVERIFY(ReadBytes(FBook + QStringLiteral("Rederu.ttf")).startsWith(QByteArray("\0\1\0\0", 4)));

        const QString help = ReadText(FBook + QStringLiteral("help.htm"));
        QVERIFY(help.contains(QStringLiteral("charset=\"utf-8\"")));
        QVERIFY(help.contains(QStringLiteral("href=\"datas/sheet1.css\"")));
        const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]+)\""));
        int anchors = 0;
        for (const auto &m : anchor.globalMatch(help)) {
            ++anchors;
            QVERIFY2(help.contains(QStringLiteral("id=\"%1\"").arg(m.captured(1))), qPrintable(m.captured(1)));
        }
        QVERIFY(anchors >= 10);
    }
};

QTEST_MAIN(TestSampleBook)
#include "tst_samplebook.moc"

#include "app/Errors.h"
#include "app/ScratchText.h"
#include "app/TextCodec.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>
#include <sys/stat.h>

// The page text buffer: loading with mark detection, line breaks, offsets of find,
// whole-word and match-case finding, saving, and what odd files load to.
class TestScratchText : public QObject {
    Q_OBJECT

private:
    QTemporaryDir FDir;

    QString WriteFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = FDir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write test file");
        return path;
    }

    static QString PageText()
    {
        // A page as the book writes it: head lines, Persian text with a joiner, a Latin name, CR LF.
        return QStringLiteral("<html dir=\"rtl\">\r\n<head>\r\n</head>\r\n<body>\r\n"
                              "<p>پادشاه به شهر آمد و مي\u200Cخواست (Persepolis) را ببيند.</p>\r\n"
                              "\r\n"
                              "<p>سپاه، در كنار رود.</p>\r\n</body></html>\r\n");
    }

    static QByteArray Utf16(const QString &text, bool bigEndian)
    {
        QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
        for (QChar c : text) {
            const char hi = static_cast<char>(c.unicode() >> 8), lo = static_cast<char>(c.unicode() & 0xFF);
            out += bigEndian ? hi : lo;
            out += bigEndian ? lo : hi;
        }
        return out;
    }

private slots:
    void initTestCase() { QVERIFY(FDir.isValid()); }

    void saveThenLoadGivesTheSameText()
    {
        TScratchText buffer;
        buffer.SetText(PageText());
        const QString path = FDir.filePath(QStringLiteral("saved.htm"));
        buffer.SaveToFile(path);

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.left(2), QByteArray("\xFF\xFE", 2));
        QCOMPARE(bytes.size(), 2 + 2 * PageText().size());

        TScratchText again;
        again.LoadFromFile(path);
        QCOMPARE(again.Text(), PageText());
        QCOMPARE(again.LineCount(), buffer.LineCount());
    }

    void everyMarkedEncodingLoadsToTheSameText()
    {
        const QString text = PageText();
        const QStringList paths = {
            WriteFile(QStringLiteral("u8bom.htm"), QByteArray("\xEF\xBB\xBF") + text.toUtf8()),
            WriteFile(QStringLiteral("u16le.htm"), Utf16(text, false)),
            WriteFile(QStringLiteral("u16be.htm"), Utf16(text, true)),
            WriteFile(QStringLiteral("u8plain.htm"), text.toUtf8()),
        };
        for (const QString &path : paths) {
            TScratchText buffer;
            buffer.LoadFromFile(path);
            QVERIFY2(buffer.Text() == text, qPrintable(path));
        }
    }

    void loneLineEndsBecomeCrLfAndFindAgreesWithText()
    {
        TScratchText buffer;
        buffer.SetText(QStringLiteral("اول\nدوم\rسوم\r\nچهارم\u2028پنجم\n"));
        QCOMPARE(buffer.Text(), QStringLiteral("اول\r\nدوم\r\nسوم\r\nچهارم\r\nپنجم\r\n"));
        QCOMPARE(buffer.LineCount(), 5);

        // The same from a file with lone LF line ends.
        TScratchText loaded;
        loaded.LoadFromFile(WriteFile(QStringLiteral("lf.htm"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("a\nمتن\nPersepolis\n").toUtf8()));
        QCOMPARE(loaded.Text(), QStringLiteral("a\r\nمتن\r\nPersepolis\r\n"));

        // Offsets index the returned text: inserting there in a copy and setting it back
        // puts the insertion exactly before the word.
        const qsizetype at = loaded.Find(QStringLiteral("Persepolis"), 0, loaded.Text().size(), TScratchText::foMatchCase);
        QCOMPARE(at, loaded.Text().indexOf(QStringLiteral("Persepolis")));
        QCOMPARE(at, 8);
        QString copy = loaded.Text();
        copy.insert(at, QStringLiteral("<u>"));
        loaded.SetText(copy);
        QCOMPARE(loaded.Text(), QStringLiteral("a\r\nمتن\r\n<u>Persepolis\r\n"));

        // Searching on from past a hit finds the next one, not the same.
        buffer.SetText(QStringLiteral("x\nسپاه\nسپاه\n"));
        const qsizetype first = buffer.Find(QStringLiteral("سپاه"), 0, buffer.Text().size(), TScratchText::foMatchCase);
        const qsizetype second = buffer.Find(QStringLiteral("سپاه"), first + 1, buffer.Text().size(), TScratchText::foMatchCase);
        QCOMPARE(first, 3);
        QCOMPARE(second, 9);
    }

    void wholeWordAndMatchCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("term");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("expected");
        const int whole = TScratchText::foWholeWord, exact = TScratchText::foMatchCase;
        const QString latin = QStringLiteral("the PERSEPOLIS ruins");
        QTest::newRow("match case, same case") << latin << QStringLiteral("PERSEPOLIS") << exact << 4;
        QTest::newRow("match case, other case") << latin << QStringLiteral("Persepolis") << exact << -1;
        QTest::newRow("match case, inside a word") << latin << QStringLiteral("SEPO") << exact << 7;
        QTest::newRow("whole word, any case") << latin << QStringLiteral("persepolis") << whole << 4;
        QTest::newRow("whole word, not inside a word") << latin << QStringLiteral("sepo") << whole << -1;
        QTest::newRow("whole word, later standalone hit") << QStringLiteral("ruinsx ruins") << QStringLiteral("RUINS") << whole << 7;
        // A zero-width non-joiner joins the parts of one Persian word.
        const QString joined = QStringLiteral("او مي\u200Cخواست برود");
        QTest::newRow("joiner: substring found") << joined << QStringLiteral("مي") << exact << 3;
        QTest::newRow("joiner: not a whole word") << joined << QStringLiteral("مي") << whole << -1;
        QTest::newRow("joiner: whole joined word") << joined << QStringLiteral("مي\u200Cخواست") << whole << 3;
        // Persian punctuation and line breaks end words.
        const QString persian = QStringLiteral("شهر، شهرها\r\nشهر.");
        QTest::newRow("persian whole word before comma") << persian << QStringLiteral("شهر") << whole << 0;
        QTest::newRow("persian substring in longer word") << QStringLiteral("شهرها") << QStringLiteral("شهر") << exact << 0;
        QTest::newRow("persian not whole in longer word") << QStringLiteral("شهرها") << QStringLiteral("شهر") << whole << -1;
        QTest::newRow("persian whole word after break") << QStringLiteral("شهرها\r\nشهر.") << QStringLiteral("شهر") << whole << 7;
        // Arabic and Persian yeh are different letters for the buffer (the search
        // normalises its query before it asks).
        QTest::newRow("persian yeh is not arabic yeh") << QStringLiteral("براي") << QStringLiteral("برای") << exact << -1;
        QTest::newRow("empty term") << latin << QString() << exact << -1;
    }

    void wholeWordAndMatchCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, term);
        QFETCH(int, options);
        QFETCH(int, expected);
        TScratchText buffer;
        buffer.SetText(text);
        QCOMPARE(buffer.Find(term, 0, buffer.Text().size(), options), qsizetype(expected));
        QCOMPARE(TScratchText::FindIn(buffer.Text(), term, 0, buffer.Text().size(), options), qsizetype(expected));
    }

    void findKeepsToItsRange()
    {
        const QString text = QStringLiteral("abc Persepolis abc");
        const int exact = TScratchText::foMatchCase;
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("abc"), 1, text.size(), exact), qsizetype(15));
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("Persepolis"), 0, 13, exact), qsizetype(-1));  // runs past the range
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("Persepolis"), 0, 14, exact), qsizetype(4));
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("abc"), -1, text.size(), exact), qsizetype(-1));
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("abc"), text.size(), 5, exact), qsizetype(-1));
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("abc"), 0, -3, exact), qsizetype(-1));
        // A length far past the end is clamped, not overflowed.
        QCOMPARE(TScratchText::FindIn(text, QStringLiteral("abc"), 5, std::numeric_limits<qsizetype>::max(), exact), qsizetype(15));
    }

    void failedLoadRaisesAndKeepsTheBuffer()
    {
        TScratchText buffer;
        buffer.SetText(QStringLiteral("پيشين"));
        const QString missing = FDir.filePath(QStringLiteral("no-such-page.htm"));
        try {
            buffer.LoadFromFile(missing);
            QFAIL("loading a missing file did not raise");
        } catch (const EFileError &e) {
            QVERIFY2(e.Message().contains(missing), qPrintable(e.Message()));
        }
        QCOMPARE(buffer.Text(), QStringLiteral("پيشين"));

        // A folder is not a readable page either, nor a pipe (reading it would block).
        QVERIFY_THROWS_EXCEPTION(EFileError, buffer.LoadFromFile(FDir.path()));
        const QString fifo = FDir.filePath(QStringLiteral("pipe.htm"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY_THROWS_EXCEPTION(EFileError, buffer.LoadFromFile(fifo));
        QCOMPARE(buffer.Text(), QStringLiteral("پيشين"));
    }

    void failedSaveRaisesAndKeepsTheOldFile()
    {
        const QString target = WriteFile(QStringLiteral("old.htm"), QByteArray("old"));
        TScratchText buffer;
        buffer.SetText(QStringLiteral("new"));
        QVERIFY_THROWS_EXCEPTION(EFileError, buffer.SaveToFile(FDir.filePath(QStringLiteral("missing-folder/x.htm"))));
        QVERIFY_THROWS_EXCEPTION(EFileError, buffer.SaveToFile(FDir.path()));  // a folder cannot be replaced
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }

    void oddFilesLoadToADefinedText()
    {
        TScratchText buffer;
        // Empty file, and a file holding only a mark.
        buffer.LoadFromFile(WriteFile(QStringLiteral("empty.htm"), QByteArray()));
        QCOMPARE(buffer.Text(), QString());
        QCOMPARE(buffer.LineCount(), 0);
        buffer.LoadFromFile(WriteFile(QStringLiteral("bom.htm"), QByteArray("\xFF\xFE", 2)));
        QCOMPARE(buffer.Text(), QString());

        // UTF-16 with an odd number of bytes: the incomplete last unit is dropped.
        buffer.LoadFromFile(WriteFile(QStringLiteral("odd.htm"), Utf16(QStringLiteral("سپاه"), false) + 'x'));
        QCOMPARE(buffer.Text(), QStringLiteral("سپاه"));

        // No mark and not valid UTF-8: the Persian 8-bit code page (C8 beh, C7 alef, E3 meem).
        buffer.LoadFromFile(WriteFile(QStringLiteral("cp1256.htm"), QByteArray("\xC8\xC7\xE3 \x98\xED\x8D\r\nok")));
        QCOMPARE(buffer.Text(), QStringLiteral("بام \u06A9\u064A\u0686\r\nok"));

        // A mark followed by invalid UTF-8: decoded with replacement characters, nothing lost around them.
        buffer.LoadFromFile(WriteFile(QStringLiteral("badutf8.htm"), QByteArray("\xEF\xBB\xBF" "a\xFF" "b")));
        QCOMPARE(buffer.Text(), QStringLiteral("a\uFFFDb"));

        // NUL bytes stay characters of the text, and finding goes past them.
        buffer.LoadFromFile(WriteFile(QStringLiteral("nul.htm"), QByteArray("a\0b\0word", 8)));
        QCOMPARE(buffer.Text().size(), 8);
        QCOMPARE(buffer.Find(QStringLiteral("word"), 0, buffer.Text().size(), TScratchText::foWholeWord), qsizetype(4));

        // A lone CR at the very end, and CR CR LF.
        buffer.LoadFromFile(WriteFile(QStringLiteral("cr.htm"), QByteArray("a\r\r\nb\r")));
        QCOMPARE(buffer.Text(), QStringLiteral("a\r\n\r\nb\r\n"));
        QCOMPARE(buffer.LineCount(), 3);
    }

    void largeFileLoads()
    {
        // About 50 MB of page text; the last line holds a word found nowhere else.
        const QByteArray line = QStringLiteral("<p>پادشاه به شهر آمد و سپاه در كنار رود ايستاد (Persepolis).</p>\r\n").toUtf8();
        const int lines = 50 * 1024 * 1024 / line.size();
        QByteArray bytes("\xEF\xBB\xBF");
        bytes.reserve(3 + line.size() * (lines + 1));
        for (int i = 0; i < lines; ++i) bytes += line;
        bytes += "END-OF-BOOK";
        const QString path = WriteFile(QStringLiteral("large.htm"), bytes);
        bytes.clear();

        TScratchText buffer;
        buffer.LoadFromFile(path);
        QCOMPARE(buffer.LineCount(), lines + 1);
        const qsizetype at = buffer.Find(QStringLiteral("END-OF-BOOK"), 0, buffer.Text().size(), TScratchText::foMatchCase);
        QCOMPARE(at, buffer.Text().size() - 11);
        QFile::remove(path);
    }

    void deleteLineAndLineCount()
    {
        TScratchText buffer;
        buffer.SetText(QStringLiteral("a\r\nb\r\nc"));
        QCOMPARE(buffer.LineCount(), 3);
        buffer.DeleteLine(0);
        QCOMPARE(buffer.Text(), QStringLiteral("b\r\nc"));
        buffer.DeleteLine(1);  // the last line, which has no break after it
        QCOMPARE(buffer.Text(), QStringLiteral("b\r\n"));
        QCOMPARE(buffer.LineCount(), 1);

        // A final line break ends the last line; it does not start another one.
        buffer.SetText(QStringLiteral("a\r\nb\r\n"));
        QCOMPARE(buffer.LineCount(), 2);
        buffer.DeleteLine(buffer.LineCount() - 1);
        QCOMPARE(buffer.Text(), QStringLiteral("a\r\n"));

        // Empty lines are lines.
        buffer.SetText(QStringLiteral("\r\n\r\nx"));
        QCOMPARE(buffer.LineCount(), 3);
        buffer.DeleteLine(1);
        QCOMPARE(buffer.Text(), QStringLiteral("\r\nx"));
        buffer.SetText(QStringLiteral("\r\n"));
        QCOMPARE(buffer.LineCount(), 1);
        buffer.DeleteLine(0);
        QCOMPARE(buffer.Text(), QString());
        QCOMPARE(buffer.LineCount(), 0);

        // Lines that do not exist are left alone.
        buffer.SetText(QStringLiteral("a\r\nb"));
        buffer.DeleteLine(2);
        buffer.DeleteLine(-1);
        QCOMPARE(buffer.Text(), QStringLiteral("a\r\nb"));
        buffer.SetText(QString());
        buffer.DeleteLine(0);
        QCOMPARE(buffer.Text(), QString());

        // Deleting line 0 fifteen times leaves the page from its sixteenth line on.
        QStringList page;
        for (int i = 1; i <= 20; ++i) page << QStringLiteral("line %1").arg(i);
        buffer.SetText(page.join(QLatin1Char('\n')));
        for (int i = 0; i < 15; ++i) buffer.DeleteLine(0);
        QCOMPARE(buffer.Text(), QStringLiteral("line 16\r\nline 17\r\nline 18\r\nline 19\r\nline 20"));
        buffer.DeleteLine(buffer.LineCount() - 1);
        QCOMPARE(buffer.Text(), QStringLiteral("line 16\r\nline 17\r\nline 18\r\nline 19\r\n"));
    }
};

QTEST_MAIN(TestScratchText)
#include "tst_scratchtext.moc"

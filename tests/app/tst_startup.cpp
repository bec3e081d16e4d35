// Start-up steps: the book's font installed once, a fresh style sheet copy on every
// start, the program's messages in Persian, and the platform refusal (beep, message,
// stderr, its own exit code).
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/StartupSteps.h"
#include "app/THtmlEngineModule.h"
#include "app/TMenuForm.h"
#include "platform/TInstallLayout.h"
#include "widgets/TBitmap32.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TRecordingDialogs : public TDialogs {
public:
    int beeps = 0;
    QStringList messages;
    void Beep() override { ++beeps; }
    void ShowMessage(const QString &text, const QString &caption, QMessageBox::Icon) override
    {
        messages << caption + QLatin1Char('|') + text;
    }
};
}

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void fontFolderFollowsXdgDataHome()
    {
        qputenv("XDG_DATA_HOME", "/somewhere/data");
        QCOMPARE(TStartupSteps::UserFontFolder(), QStringLiteral("/somewhere/data/fonts"));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(TStartupSteps::UserFontFolder(), QDir::homePath() + QStringLiteral("/.local/share/fonts"));
    }

    void fontIsCopiedOnlyOnFirstStart()
    {
        QTemporaryDir app, data;
        // The sample book's own font, built with it.
        const QString ttf = QStringLiteral(KETAB_BOOK_DIR "/Rederu.ttf");
        QVERIFY2(QFile::exists(ttf), "the sample book is not built");
        QVERIFY(QFile::copy(ttf, app.filePath(QStringLiteral("Rederu.ttf"))));
        const QString fonts = data.filePath(QStringLiteral("fonts"));
        QVERIFY(TStartupSteps::InstallBookFont(app.path() + QLatin1Char('/'), fonts));
        QCOMPARE(Read(fonts + QStringLiteral("/Rederu.ttf")), Read(ttf));
        // Second start: the file is there, nothing is copied over it.
        Write(fonts + QStringLiteral("/Rederu.ttf"), "user's own copy");
        QVERIFY(!TStartupSteps::InstallBookFont(app.path() + QLatin1Char('/'), fonts));
        QCOMPARE(Read(fonts + QStringLiteral("/Rederu.ttf")), QByteArray("user's own copy"));
    }

    void missingFontFailsSilently()
    {
        QTemporaryDir app, data;
        QVERIFY(!TStartupSteps::InstallBookFont(app.path() + QLatin1Char('/'), data.filePath(QStringLiteral("fonts"))));
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("fonts/Rederu.ttf"))));
        QVERIFY(!TStartupSteps::InstallBookFont(app.path() + QLatin1Char('/'), QString()));
    }

    void styleSheetCopyIsFreshOnEveryStart()
    {
        QTemporaryDir app, temp;
        const QString appFolder = app.path() + QLatin1Char('/'), tempFolder = temp.path() + QLatin1Char('/');
        Write(appFolder + QStringLiteral("datas/sheet1.css"), "body { color: red; }");
        QVERIFY(TStartupSteps::CopyStyleSheet(appFolder, tempFolder));
        QCOMPARE(Read(tempFolder + QStringLiteral("sheet1.css")), QByteArray("\xEF\xBB\xBF" "body { color: red; }"));
        Write(appFolder + QStringLiteral("datas/sheet1.css"), "body { color: blue; }");
        QVERIFY(TStartupSteps::CopyStyleSheet(appFolder, tempFolder));
        QCOMPARE(Read(tempFolder + QStringLiteral("sheet1.css")), QByteArray("\xEF\xBB\xBF" "body { color: blue; }"));
        // A missing source leaves the old copy as it was; nothing half-written remains.
        QFile::remove(appFolder + QStringLiteral("datas/sheet1.css"));
        QVERIFY(!TStartupSteps::CopyStyleSheet(appFolder, tempFolder));
        QCOMPARE(Read(tempFolder + QStringLiteral("sheet1.css")), QByteArray("\xEF\xBB\xBF" "body { color: blue; }"));
        QCOMPARE(QDir(tempFolder).entryList(QDir::Files), QStringList{QStringLiteral("sheet1.css")});
    }

    void htmlViewRunsHereAndNotWithoutHelper()
    {
        QVERIFY(TStartupSteps::HtmlViewCanRun());
        qputenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/helper");
        TStartupSteps::TMissingPart missing = TStartupSteps::mpDisplay;
        QVERIFY(!TStartupSteps::HtmlViewCanRun(&missing));
        QCOMPARE(missing, TStartupSteps::mpEngineHelper);
        qunsetenv("QTWEBENGINEPROCESS_PATH");
    }

    // No display, or one that does not answer: the program refuses with its own message
    // and exit code, never with the window system plugin's abort.
    void programWithoutReachableDisplayRefuses()
    {
        int n = 7000;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) ++n;
        const QString silent = QStringLiteral(":%1").arg(n);
        const QList<QStringList> cases = {
            {},
            {QStringLiteral("DISPLAY"), silent},
            {QStringLiteral("DISPLAY"), silent, QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
            {QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("no-such-compositor")},
        };
        for (const QStringList &vars : cases) {
            QProcess ketab;
            QProcessEnvironment env;
            env.insert(QStringLiteral("HOME"), QDir::tempPath());
            for (int i = 0; i + 1 < vars.size(); i += 2) env.insert(vars[i], vars[i + 1]);
            ketab.setProcessEnvironment(env);
            ketab.start(QStringLiteral(KETAB_BOOK_DIR "/ketab"), {});
            QVERIFY2(ketab.waitForStarted(5000), "the program is not built");
            QVERIFY(ketab.waitForFinished(20000));
            const QString what = vars.join(QLatin1Char(' '));
            QCOMPARE(ketab.exitStatus(), QProcess::NormalExit);
            QVERIFY2(ketab.exitCode() == TStartupSteps::RefusalExitCode, qPrintable(what));
            const QString err = QString::fromUtf8(ketab.readAllStandardError());
            QVERIFY2(err.contains(TStartupSteps::RefusalText(TStartupSteps::mpDisplay)), qPrintable(what + ": " + err));
        }
    }

    void refusalsSayWhatIsMissingInPersianAndEnglish()
    {
        const QString display = TStartupSteps::RefusalText(TStartupSteps::mpDisplay);
        const QString module = TStartupSteps::RefusalText(TStartupSteps::mpEngineModule);
        const QString helper = TStartupSteps::RefusalText(TStartupSteps::mpEngineHelper);
        QCOMPARE(QSet<QString>({display, module, helper}).size(), 3);
        for (const QString &text : {display, module, helper}) {
            const QStringList lines = text.split(QLatin1Char('\n'));
            QCOMPARE(lines.size(), 2);
            QVERIFY(lines[0].contains(QStringLiteral("برنامه")));
            QVERIFY(!lines[1].contains(QChar(0x0627)) && lines[1].contains(QStringLiteral("this program")));
            QVERIFY(!text.contains(QStringLiteral("windows"), Qt::CaseInsensitive));
        }
        QVERIFY(display.contains(QStringLiteral("display")) && display.contains(QStringLiteral("نمايشگر")));
        QVERIFY(helper.contains(QStringLiteral("helper")) && helper.contains(QStringLiteral("موتور وب")));
        QVERIFY(module.contains(QLatin1String(THtmlEngineModule::FileName)) && module.contains(QStringLiteral("module")));
    }

    // Once the program has loaded its translation, its own messages come out in Persian,
    // a path in one running left to right inside the sentence. The refusal below then
    // keeps the book's own caption "Error", which is not translated.
    void programMessagesArePersianOnceLoaded()
    {
        auto *dialogs = new TRecordingDialogs;
        auto previous = SetDialogs(std::unique_ptr<TDialogs>(dialogs));
        const QString missing = QStringLiteral("/no/such/folder/p01.jpg");
        const auto showMissingPicture = [&] { TKetabApplication::Guarded([&] { TBitmap32().LoadFromFile(missing); }); };
        showMissingPicture();
        QVERIFY(TKetabApplication::LoadProgramTranslation(qApp));
        showMissingPicture();
        QCOMPARE(dialogs->messages,
                 (QStringList{QStringLiteral("Error|The picture file \"%1\" does not exist.").arg(missing),
                              QStringLiteral("خطا|پروندهٔ تصوير «\u2066%1\u2069» وجود ندارد.").arg(missing)}));
        SetDialogs(std::move(previous));
    }

    // Last: the refusal asks the application to end.
    void refusedPlatformBeepsReportsAndExitsNonZero()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        auto *dialogs = new TRecordingDialogs;
        auto previous = SetDialogs(std::unique_ptr<TDialogs>(dialogs));
        TStartupSteps::PlatformCheck = [](TStartupSteps::TMissingPart *missing) {
            *missing = TStartupSteps::mpEngineHelper;
            return false;
        };
        TInstallLayout::SetGivenBookFolder(QStringLiteral(KETAB_BOOK_DIR));
        TMenuForm menu;
        QCOMPARE(dialogs->beeps, 1);
        QCOMPARE(dialogs->messages,
                 QStringList{QStringLiteral("Error|") + TStartupSteps::RefusalText(TStartupSteps::mpEngineHelper)});
        QVERIFY(TKetabApplication::Terminated());
        QVERIFY(TKetabApplication::ExitCode() != 0);
        // The book folder (here the one a command line named) was fixed before the check.
        QCOMPARE(ReaderState.AppFolder, QStringLiteral(KETAB_BOOK_DIR "/"));
        SetDialogs(std::move(previous));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

// Where the program finds its book and its decoder library, and what its command line
// answers. The command line is tried on the built program itself, before any display.
#include "app/StartupSteps.h"
#include "platform/TDisplayProbe.h"
#include "platform/TInstallLayout.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void Touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

struct TRun {
    int exitCode = -1;
    QByteArray out, err;
};

// The built program, run without a display so that nothing past the command line can start.
TRun Ketab(const QStringList &arguments, const QString &workingFolder = QDir::tempPath())
{
    QProcess ketab;
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), QDir::tempPath());
    ketab.setProcessEnvironment(env);
    ketab.setWorkingDirectory(workingFolder);
    ketab.start(QStringLiteral(KETAB_BOOK_DIR "/ketab"), arguments);
    TRun run;
    if (!ketab.waitForStarted(5000) || !ketab.waitForFinished(20000)) return run;
    run.exitCode = ketab.exitStatus() == QProcess::NormalExit ? ketab.exitCode() : -2;
    run.out = ketab.readAllStandardOutput();
    run.err = ketab.readAllStandardError();
    return run;
}

// What the program says when it finds no display.
const QByteArray Refusal = TStartupSteps::RefusalText(TStartupSteps::mpDisplay).toUtf8();
}

class TestInstallLayout : public QObject {
    Q_OBJECT
private slots:
    void bookBesideTheProgramWinsOverTheInstalledOne()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        const QString installed =
            QDir::cleanPath(bin + QLatin1Char('/') + QLatin1String(TInstallLayout::DataFolderFromProgram)) + QLatin1Char('/');
        QDir().mkpath(bin);
        Touch(installed + QStringLiteral("datas/dir01.htm"));
        QCOMPARE(TInstallLayout::DefaultBookFolder(bin), installed);
        // A data folder without the book's first contents page is not a book.
        QDir().mkpath(bin + QStringLiteral("/datas"));
        QVERIFY(!TInstallLayout::HoldsBook(bin));
        QCOMPARE(TInstallLayout::DefaultBookFolder(bin), installed);
        Touch(bin + QStringLiteral("/datas/dir01.htm"));
        QCOMPARE(TInstallLayout::DefaultBookFolder(bin), bin + QLatin1Char('/'));
        QVERIFY(installed.startsWith(prefix.path() + QLatin1Char('/')));
    }

    void libraryBesideTheProgramWinsOverTheInstalledOne()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        const QString installed = QDir::cleanPath(bin + QLatin1Char('/') +
                                                  QLatin1String(TInstallLayout::LibraryFolderFromProgram) +
                                                  QStringLiteral("/xaudio.so"));
        QVERIFY(installed.startsWith(prefix.path() + QLatin1Char('/')));
        QCOMPARE(TInstallLayout::PrivateLibrary(bin, QStringLiteral("xaudio.so")), installed);
        Touch(bin + QStringLiteral("/xaudio.so"));
        QCOMPARE(TInstallLayout::PrivateLibrary(bin, QStringLiteral("xaudio.so")), bin + QStringLiteral("/xaudio.so"));
    }

    void givenBookFolderIsAbsoluteAndEndsWithSlash()
    {
        QTemporaryDir book;
        QDir::setCurrent(book.path());
        TInstallLayout::SetGivenBookFolder(QStringLiteral("./sub/../"));
        QCOMPARE(TInstallLayout::BookFolder(), QDir(book.path()).canonicalPath() + QLatin1Char('/'));
        TInstallLayout::SetGivenBookFolder(QString());
        QCOMPARE(TInstallLayout::BookFolder(),
                 TInstallLayout::DefaultBookFolder(QCoreApplication::applicationDirPath()));
    }

    void helpAndVersionAnswerWithoutDisplay()
    {
        const TRun version = Ketab({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("ketab " KETAB_VERSION "\n"));
        const TRun help = Ketab({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith("Usage: ketab [options]\n") && help.out.contains("--book <DIR>") &&
                     help.out.contains("--version") && !help.out.contains("--help-all"),
                 help.out.constData());
        QVERIFY(help.err.isEmpty());
    }

    void badCommandLinesAreRefusedWithTheReason()
    {
        QTemporaryDir empty;
        const struct {
            QStringList arguments;
            QByteArray named;
        } cases[] = {
            {{QStringLiteral("--bogus")}, "bogus"},
            {{QStringLiteral("--help-all")}, "help-all"},
            {{QStringLiteral("stray")}, "stray"},
            {{QStringLiteral("--book")}, "book"},
            {{QStringLiteral("--book"), empty.path()}, empty.path().toLocal8Bit()},
            {{QStringLiteral("--book"), QStringLiteral("/nonexistent/book")}, "/nonexistent/book"},
            {{QStringLiteral("-bogus")}, "bogus"},
            {{QStringLiteral("-platform")}, "-platform"},
            {{QStringLiteral("-reverse"), QStringLiteral("-session")}, "-session"},
        };
        for (const auto &c : cases) {
            const TRun run = Ketab(c.arguments);
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains(c.named) && !run.err.contains(Refusal), run.err.constData());
            QVERIFY(run.out.isEmpty());
        }
    }

    // Qt's own options, as desktops and readers pass them, go on to Qt: the run stops at
    // the missing display, as without them, also for a platform that needs no display
    // server but cannot show the page view.
    void qtOptionsPassTheCommandLine()
    {
        const QStringList cases[] = {
            {QStringLiteral("-session"), QStringLiteral("1a2b3c_4d5e")},
            {QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("-reverse")},
            {QStringLiteral("-style=Fusion"), QStringLiteral("--platformtheme"), QStringLiteral("none")},
            {QStringLiteral("-display"), QStringLiteral(":64999"), QStringLiteral("-name"), QStringLiteral("ketab")},
            {QStringLiteral("-qwindowgeometry"), QStringLiteral("640x480+0+0"), QStringLiteral("--book"),
             QStringLiteral(KETAB_BOOK_DIR)},
            {QStringLiteral("-platform"), QStringLiteral("minimal")},
        };
        for (const QStringList &arguments : cases) {
            const TRun run = Ketab(arguments, QStringLiteral(KETAB_BOOK_DIR));
            QVERIFY2(run.exitCode == TStartupSteps::RefusalExitCode && run.err.contains(Refusal),
                     qPrintable(arguments.join(u' ') + QStringLiteral(": ") + QString::fromUtf8(run.err)));
        }
    }

    // The platform asked for decides which display server the check looks for.
    void displayCheckFollowsThePlatformAskedFor()
    {
        qunsetenv("WAYLAND_DISPLAY");
        const struct {
            const char *Platform;
            bool Reachable;
        } cases[] = {{"offscreen", true}, {"minimal", true}, {"xcb", false}, {"xcb:foo=1", false},
                     {"wayland", false}, {"xcb;offscreen", true}, {"wayland-egl;xcb", false}};
        for (const auto &c : cases)
            QVERIFY2(TDisplayProbe::Reachable(c.Platform, ":64999") == c.Reachable, c.Platform);
    }

    // A good --book passes the command line; the run then stops at the missing display.
    void givenBookFolderIsAcceptedFromAnyFolder()
    {
        QTemporaryDir elsewhere;
        const TRun run = Ketab({QStringLiteral("--book"), QStringLiteral(KETAB_BOOK_DIR)}, elsewhere.path());
        QCOMPARE(run.exitCode, TStartupSteps::RefusalExitCode);
        QVERIFY2(run.err.contains(Refusal), run.err.constData());
    }
};

QTEST_MAIN(TestInstallLayout)
#include "tst_installlayout.moc"

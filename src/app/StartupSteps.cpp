#include "app/StartupSteps.h"
#include "app/RegularFile.h"
#include "app/TextCodec.h"
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/THtmlEngineModule.h"
#include "platform/UserTempFolder.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QThreadPool>
#include <cstdio>
#include <unistd.h>
#include <vector>
#include <fcntl.h>
#include <unistd.h>

const char *const TStartupSteps::RefusalCaption = "Error";

std::function<bool(TStartupSteps::TMissingPart *)> TStartupSteps::PlatformCheck =
    [](TMissingPart *missing) { return TStartupSteps::HtmlViewCanRun(missing); };

QString TStartupSteps::RefusalText(TMissingPart missing)
{
    if (missing == mpDisplay)
        return QStringLiteral("نمايشگری در دسترس نيست؛ اين برنامه بی نمايشگر اجرا نمی‌شود.\n"
                              "No display can be reached; this program cannot run without one.");
    if (missing == mpEngineModule)
        return QStringLiteral("بخش نمايش صفحه‌ها (%1) پيدا نشد؛ اين برنامه بی آن اجرا نمی‌شود.\n"
                              "The module of the page view (%1) is missing; this program cannot run without it.")
            .arg(QLatin1String(THtmlEngineModule::FileName));
    return QStringLiteral("برنامهٔ كمكی موتور وب پيدا نشد؛ اين برنامه بی آن اجرا نمی‌شود.\n"
                          "The web engine's helper program is missing; this program cannot run without it.");
}

QString TStartupSteps::NoBookText(const QString &installedFolder)
{
    // The folder isolated left to right, so its slashes stay in place in the Persian line.
    return QStringLiteral("كتاب پيدا نشد: نه كنار برنامه است و نه در «\u2066%1\u2069» نصب شده است.\n"
                          "The book was not found: it is neither beside the program nor installed in '%1'; "
                          "name its folder with --book DIR.")
        .arg(installedFolder);
}

QString TStartupSteps::UserFontFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data)) {
        const QString home = QDir::homePath();
        if (home.isEmpty()) return QString();
        data = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(data + QStringLiteral("/fonts"));
}

bool TStartupSteps::InstallBookFont(const QString &appFolder, const QString &fontFolder)
{
    if (fontFolder.isEmpty()) return false;
    const QString target = fontFolder + QStringLiteral("/Rederu.ttf");
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) return false;
    const QString source = appFolder + QStringLiteral("Rederu.ttf");
    if (!QFileInfo::exists(source) || !QDir().mkpath(fontFolder)) return false;
    // QFile::copy never overwrites an existing file.
    if (!QFile::copy(source, target)) return false;
    QFontDatabase::addApplicationFont(target);
    return true;
}

bool TStartupSteps::HtmlViewCanRun(TMissingPart *missing)
{
    const QString platform = QGuiApplication::platformName();
    if (platform.isEmpty() || platform == QLatin1String("minimal")) {
        if (missing) *missing = mpDisplay;
        return false;
    }
    if (THtmlEngineModule::Path().isEmpty()) {
        if (missing) *missing = mpEngineModule;
        return false;
    }
    QStringList candidates;
    const QString configured = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (!configured.isEmpty()) candidates << configured;
    else
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/QtWebEngineProcess")
                   << QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/QtWebEngineProcess");
    for (const QString &path : candidates) {
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable()) return true;
    }
    if (missing) *missing = mpEngineHelper;
    return false;
}

void TStartupSteps::RefusePlatform(TMissingPart missing)
{
    Dialogs().Beep();
    std::fprintf(stderr, "%s\n", RefusalText(missing).toUtf8().constData());
    std::fflush(stderr);
    // Without a display there is no one to close a message box.
    if (missing != mpDisplay) Dialogs().ShowMessage(RefusalText(missing), QString::fromLatin1(RefusalCaption));
    TKetabApplication::Terminate(RefusalExitCode);
}

void TStartupSteps::RefuseWithoutDisplay()
{
    if (isatty(STDERR_FILENO)) std::fputs("\a", stderr);
    std::fprintf(stderr, "%s\n", RefusalText(mpDisplay).toUtf8().constData());
    std::fflush(stderr);
}

bool TStartupSteps::CopyStyleSheet(const QString &appFolder, const QString &tempFolder)
{
    std::vector<char> css;
    qsizetype size = 0;
    QString error;
    if (TRegularFile::Read(appFolder + QStringLiteral("datas/sheet1.css"), css, size, error) != TRegularFile::rfRead)
        return false;
    // Written as UTF-8 with its mark: the generated pages that use the copy are UTF-16, and a
    // style sheet without a mark would be read in its page's encoding and ignored.
    const QByteArray text = "\xEF\xBB\xBF" + TTextCodec::Decode(QByteArray::fromRawData(css.data(), size)).toUtf8();
    TUserTempFolder::Write(tempFolder, QStringLiteral("sheet1.css"), text);
    return true;
}

void TStartupSteps::ReadAhead(const QStringList &files)
{
    QThreadPool::globalInstance()->start([names = files] {
        for (const QString &name : names) {
            const int fd = open(QFile::encodeName(name).constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) continue;
            posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
            close(fd);
        }
    });
}

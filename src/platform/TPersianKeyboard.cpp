#include "platform/TPersianKeyboard.h"
#include <QGuiApplication>
#include <QProcess>
#include <dlfcn.h>

int TPersianKeyboard::PersianGroup(const QString &queryOutput)
{
    const QStringList lines = queryOutput.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("layout:"))) continue;
        const QStringList layouts = line.mid(7).trimmed().split(QLatin1Char(','));
        for (int i = 0; i < layouts.size(); ++i)
            if (layouts[i].trimmed() == QLatin1String("ir")) return i;
        return -1;
    }
    return -1;
}

void TPersianKeyboard::Activate()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) return;
    QProcess query;
    query.start(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
    if (!query.waitForFinished(2000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return;
    const int group = PersianGroup(QString::fromLocal8Bit(query.readAllStandardOutput()));
    if (group < 0) return;
    // The X library is already loaded by the windowing system; its keyboard
    // extension call is bound at run time so the program does not link it.
    void *lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!lib) lib = dlopen("libX11.so.6", RTLD_LAZY);
    if (!lib) return;
    using TLockGroup = int (*)(void *display, unsigned int deviceSpec, unsigned int group);
    using TFlush = int (*)(void *display);
    const auto lockGroup = reinterpret_cast<TLockGroup>(dlsym(lib, "XkbLockGroup"));
    const auto flush = reinterpret_cast<TFlush>(dlsym(lib, "XFlush"));
    constexpr unsigned int UseCoreKeyboard = 0x0100;
    if (lockGroup) lockGroup(x11->display(), UseCoreKeyboard, static_cast<unsigned int>(group));
    if (flush) flush(x11->display());
}

#include "app/TPdfCutter.h"
#include "app/KetabApplication.h"
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <memory>

namespace {
const QString Tool = QStringLiteral("qpdf");

// Runs the tool with args; then(ok, its output) follows when it has ended. qpdf ends with 3
// when it wrote its file with warnings only.
void Run(const QStringList &args, QObject *context, std::function<void(bool, const QByteArray &)> then)
{
    auto *process = new QProcess(context);
    QObject::connect(process, &QProcess::finished, context,
                     TKetabApplication::Guard([process, then](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         then(status == QProcess::NormalExit && (code == 0 || code == 3), process->readAllStandardOutput());
                     }));
    QObject::connect(process, &QProcess::errorOccurred, context, TKetabApplication::Guard([process, then](QProcess::ProcessError e) {
                         if (e != QProcess::FailedToStart) return;
                         process->deleteLater();
                         then(false, {});
                     }));
    process->start(QStandardPaths::findExecutable(Tool), args, QIODevice::ReadOnly);
}
}

bool TPdfCutter::Available() { return !QStandardPaths::findExecutable(Tool).isEmpty(); }

void TPdfCutter::Cut(const QString &whole, const QString &target, const TPdfPageChoice &choice, QObject *context,
                     std::function<void(const QString &)> done)
{
    const QString cannot = tr("Cannot write the PDF file \"%1\".").arg(target);
    Run({QStringLiteral("--show-npages"), whole}, context, [=](bool ok, const QByteArray &out) {
        const int count = ok ? out.trimmed().toInt() : 0;
        if (count < 1) return done(cannot);
        const QList<int> pages = choice.Pages(count);
        if (pages.isEmpty())
            return done(tr("None of the chosen pages is in the document; its pages are 1 - %1.").arg(count));
        const QString part = target + QStringLiteral(".part");
        Run({whole, QStringLiteral("--pages"), QStringLiteral("."), TPdfPageChoice::PageList(pages), QStringLiteral("--"), part},
            context, [=](bool written, const QByteArray &) {
                // The old file goes only once the new one is whole.
                const bool placed = written && (!QFile::exists(target) || QFile::remove(target)) && QFile::rename(part, target);
                if (!placed) QFile::remove(part);
                done(placed ? QString() : cannot);
            });
    });
}

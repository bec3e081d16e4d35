#include "app/TCommandLine.h"
#include "platform/TInstallLayout.h"
#include <QCommandLineParser>
#include <cstdio>

#ifndef KETAB_VERSION
#error "KETAB_VERSION must be defined by the build"
#endif

const char *const TCommandLine::Version = KETAB_VERSION;

namespace {
int Refuse(const QString &message)
{
    std::fprintf(stderr, "ketab: %s\nTry 'ketab --help' for more information.\n", qPrintable(message));
    return TCommandLine::UsageExitCode;
}
}

int TCommandLine::Apply(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reader for a multi-volume Persian book."));
    // Not addHelpOption(): its --help-all lists Qt's options, which are not taken here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption book(QStringLiteral("book"),
                                  QStringLiteral("Read the book in DIR instead of the one beside the program or "
                                                 "installed with it."),
                                  QStringLiteral("DIR"));
    parser.addOption(book);

    if (!parser.parse(arguments)) return Refuse(parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object the parser cannot know the program's name.
        const QString text = parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("ketab"));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("ketab %s\n", Version);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return Refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));

    if (parser.isSet(book)) {
        const QString folder = parser.value(book);
        if (!TInstallLayout::HoldsBook(folder))
            return Refuse(QStringLiteral("'%1' does not hold the book (no datas/dir01.htm in it)").arg(folder));
        TInstallLayout::SetGivenBookFolder(folder);
    } else if (!TInstallLayout::HoldsBook(TInstallLayout::BookFolder())) {
        return Refuse(QStringLiteral("the book is neither beside the program nor installed in '%1'; "
                                     "name its folder with --book DIR")
                          .arg(TInstallLayout::BookFolder()));
    }
    return -1;
}

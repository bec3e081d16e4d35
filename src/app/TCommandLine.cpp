#include "app/TCommandLine.h"
#include "platform/TInstallLayout.h"
#include <QCommandLineParser>
#include <cstdio>

#ifndef KETAB_VERSION
#error "KETAB_VERSION must be defined by the build"
#endif

const char *const TCommandLine::Version = KETAB_VERSION;

namespace {
// Qt's standard options, with one dash or two: those the application object and its
// window-system plug-in take off the command line. A desktop restoring its session
// passes "-session"; the others choose how and where the windows show.
const char *const QtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon",
                                          "icon", "session", "display", "name", "style", "stylesheet"};
const char *const QtFlags[] = {"reverse", "testability", "sync", "widgetcount", "nograb", "dograb"};
// These also come as "-style=Fusion".
const char *const QtOptionsWithEquals[] = {"style", "stylesheet", "qmljsdebugger"};

int Refuse(const QString &message)
{
    std::fprintf(stderr, "ketab: %s\nTry 'ketab --help' for more information.\n", qPrintable(message));
    return TCommandLine::UsageExitCode;
}

// The option's name without its one or two dashes; empty for anything else.
QString OptionName(const QString &argument)
{
    if (!argument.startsWith(u'-') || argument == QLatin1String("-") || argument == QLatin1String("--")) return {};
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
}

template <size_t N> bool Among(const QString &name, const char *const (&names)[N])
{
    for (const char *n : names)
        if (name == QLatin1String(n)) return true;
    return false;
}
}

TCommandLine::TOutcome TCommandLine::Apply(const QStringList &arguments)
{
    TOutcome outcome;
    // Qt's options are set aside; the program's own go to the parser.
    QStringList own{arguments.value(0)};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const QString name = OptionName(argument);
        const QString key = name.section(u'=', 0, 0);
        if (argument == QLatin1String("--")) {
            own << arguments.mid(i);
            break;
        }
        if (name == QLatin1String("book") && i + 1 < arguments.size()) {
            own << argument << arguments.at(++i);
        } else if (Among(name, QtFlags) || (key != name && Among(key, QtOptionsWithEquals))) {
            continue;  // Qt's, left to it
        } else if (Among(name, QtOptionsWithValue)) {
            if (++i >= arguments.size()) {
                outcome.ExitCode = Refuse(QStringLiteral("option '%1' needs a value").arg(argument));
                return outcome;
            }
            if (name == QLatin1String("platform")) outcome.Platform = arguments.at(i).toLocal8Bit();
            if (name == QLatin1String("display")) outcome.Display = arguments.at(i).toLocal8Bit();
        } else {
            own << argument;
        }
    }

    QCommandLineParser parser;
    // "-bogus" is one unknown option, named as typed, like Qt's own single-dash words.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Reader for a multi-volume Persian book.\n"
        "Qt's standard options (-platform, -style, -reverse, -display, -session, ...) are passed on to Qt."));
    // Not addHelpOption(): its --help-all lists Qt's options, which Qt reads for itself.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption book(QStringLiteral("book"),
                                  QStringLiteral("Read the book in DIR instead of the one beside the program or "
                                                 "installed with it."),
                                  QStringLiteral("DIR"));
    parser.addOption(book);

    const auto refuse = [&outcome](const QString &message) {
        outcome.ExitCode = Refuse(message);
        return outcome;
    };
    if (!parser.parse(own)) return refuse(parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object the parser cannot know the program's name.
        const QString text = parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("ketab"));
        std::fputs(qPrintable(text), stdout);
        outcome.ExitCode = 0;
        return outcome;
    }
    if (parser.isSet(version)) {
        std::printf("ketab %s\n", Version);
        outcome.ExitCode = 0;
        return outcome;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));

    if (parser.isSet(book)) {
        const QString folder = parser.value(book);
        if (!TInstallLayout::HoldsBook(folder))
            return refuse(QStringLiteral("'%1' does not hold the book (no datas/dir01.htm in it)").arg(folder));
        TInstallLayout::SetGivenBookFolder(folder);
    } else if (!TInstallLayout::HoldsBook(TInstallLayout::BookFolder())) {
        outcome.BookMissing = true;
        return refuse(QStringLiteral("the book is neither beside the program nor installed in '%1'; "
                                     "name its folder with --book DIR")
                          .arg(TInstallLayout::BookFolder()));
    }
    return outcome;
}

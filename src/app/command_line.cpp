#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "quorvane_version.h"

namespace quorvane {

namespace {

// A command line that cannot be read ends the program with this status, as quorvane-list's
// does.
constexpr int kExitUsage = 2;

// The options that the window system's application object takes away from the command line
// (Qt's own, and those of its X11 platform), so that they are not taken for unknown ones
// before it exists.
constexpr char kWindowSystemValueOptions[] =
    "platform platformpluginpath platformtheme plugin qwindowgeometry geometry qwindowtitle "
    "title qwindowicon icon session display name visual style stylesheet qmljsdebugger";
constexpr char kWindowSystemFlags[] = "reverse testability nograb dograb sync widgetcount";

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Lists every folder below a folder, a drive or every drive, down to the depth you "
        "choose,\nand exports the list. Every choice in the window is remembered."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("Start with \"Look at this folder:\" on FOLDER."),
                                 QStringLiteral("[FOLDER]"));
}

// The window system's options are single-dash words ("-platform xcb"), and Qt takes them with
// two dashes as well.
void acceptWindowSystemOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& name : QString::fromLatin1(kWindowSystemValueOptions).split(u' ')) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : QString::fromLatin1(kWindowSystemFlags).split(u' ')) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// What is wrong with a command line that `parser` has read; empty when nothing is.
QString problemOf(const QCommandLineParser& parser, bool understood) {
    if (!understood) return parser.errorText();
    if (parser.positionalArguments().size() > 1)
        return QStringLiteral("only one FOLDER can be given");
    return {};
}

[[noreturn]] void refuse(const QCommandLineParser& parser, const QString& problem) {
    std::fprintf(stderr, "quorvane: %s\n\n%s", qPrintable(problem), qPrintable(parser.helpText()));
    std::exit(kExitUsage);
}

}  // namespace

void DescribeProgram() {
    QCoreApplication::setOrganizationName(QStringLiteral("Brindlework"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
}

QString CommandLineProblem(const QStringList& arguments) {
    QCommandLineParser parser;
    describeOptions(parser);
    acceptWindowSystemOptions(parser);
    const bool understood = parser.parse(arguments);
    return problemOf(parser, understood);
}

void AnswerTextRequests(int argc, char** argv) {
    QCommandLineParser parser;
    describeOptions(parser);
    acceptWindowSystemOptions(parser);
    const bool understood = parser.parse(argumentsOf(argc, argv));
    const bool version = understood && parser.isSet(QStringLiteral("version"));
    const bool help = understood && (parser.isSet(QStringLiteral("help")) ||
                                     parser.isSet(QStringLiteral("help-all")));
    const QString problem = problemOf(parser, understood);
    if (!version && !help && problem.isEmpty()) return;
    // The answers name the program as it was started.
    QCoreApplication textOnly(argc, argv);
    if (!problem.isEmpty()) refuse(parser, problem);
    if (version) parser.showVersion();
    parser.showHelp();
}

QString StartFolder(const QStringList& arguments) {
    QCommandLineParser parser;
    describeOptions(parser);
    const bool understood = parser.parse(arguments);
    if (const QString problem = problemOf(parser, understood); !problem.isEmpty()) {
        refuse(parser, problem);
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.isEmpty()) return {};
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(folders.first()).absoluteFilePath()));
}

}  // namespace quorvane

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

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace

void DescribeProgram() {
    QCoreApplication::setOrganizationName(QStringLiteral("Brindlework"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
}

void AnswerTextRequests(int argc, char** argv) {
    QCommandLineParser parser;
    describeOptions(parser);
    // Options of the window system (-platform, -style...) are unknown here; they only matter
    // once the window's application object has taken them away.
    parser.parse(argumentsOf(argc, argv));
    const bool version = parser.isSet(QStringLiteral("version"));
    const bool help =
        parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    if (!version && !help) return;
    // The answers name the program as it was started.
    QCoreApplication textOnly(argc, argv);
    if (version) parser.showVersion();
    parser.showHelp();
}

QString StartFolder(const QStringList& arguments) {
    QCommandLineParser parser;
    describeOptions(parser);
    const bool understood = parser.parse(arguments);
    const QStringList folders = parser.positionalArguments();
    if (!understood || folders.size() > 1) {
        const QString error =
            understood ? QStringLiteral("only one FOLDER can be given") : parser.errorText();
        std::fprintf(stderr, "quorvane: %s\n\n%s", qPrintable(error),
                     qPrintable(parser.helpText()));
        std::exit(EXIT_FAILURE);
    }
    if (folders.isEmpty()) return {};
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(folders.first()).absoluteFilePath()));
}

}  // namespace quorvane

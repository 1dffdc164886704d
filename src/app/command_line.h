#pragma once

#include <QString>
#include <QStringList>

namespace quorvane {

// The window program's command line: quorvane [--help | --version | FOLDER].

// Names the program and its version for Qt: the settings, the window system and --version use
// them. Works before the application object exists.
void DescribeProgram();

// Answers --help and --version, then ends the process. It runs before the window's
// application object exists, so the answers need no display.
void AnswerTextRequests(int argc, char** argv);

// The folder that `arguments` (the program's, without the window system's options) name, made
// absolute in the platform's form, or an empty text when they name none. A bad command line
// is reported and ends the process.
QString StartFolder(const QStringList& arguments);

}  // namespace quorvane

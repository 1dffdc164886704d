#pragma once

#include <QString>
#include <QStringList>

namespace quorvane {

// The window program's command line: quorvane [--help | --version | FOLDER].

// Names the program and its version for Qt: the settings, the window system and --version use
// them. Works before the application object exists.
void DescribeProgram();

// Answers --help and --version, or refuses a command line that cannot be read (an unknown
// option, more than one FOLDER) with exit status 2; either ends the process. It runs before
// the window's application object exists, so none of this needs a display. The window
// system's own options (-platform, -style...) are left for that object.
void AnswerTextRequests(int argc, char** argv);

// What AnswerTextRequests refuses in `arguments` (the program's name first): the message, or
// an empty text when the command line can be read.
QString CommandLineProblem(const QStringList& arguments);

// The folder that `arguments` (the program's, without the window system's options) name, made
// absolute in the platform's form, or an empty text when they name none.
QString StartFolder(const QStringList& arguments);

}  // namespace quorvane

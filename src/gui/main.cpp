#include "app/CVazedazApp.h"
#include "app/ProgramVersion.h"
#include "app/StandardOptions.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& out) {
    out << "usage: dezoredu [FOLDER]\n"
           "       dezoredu --help | -h | --version\n"
           "\n"
           "Sorts the JPEG photographs below a source folder into dated albums under a\n"
           "target folder. FOLDER, when given, is opened as the source.\n"
           "\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "The settings file fl.cfg is read and written in the folder the program starts\n"
           "in when one is there, otherwise in $XDG_CONFIG_HOME/dezoredu (by default\n"
           "~/.config/dezoredu). Qt's own options, such as -platform, are accepted too.\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so that they need no display.
    if (const auto answered =
            dz::answerStandardOptions(std::vector<std::string>(argv + 1, argv + argc), "dezoredu", printUsage, std::cout)) {
        return *answered;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dezoredu"));
    QApplication::setApplicationVersion(QString::fromLatin1(dz::kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("dezoredu"));
    // The main window is the program: it runs modally and its end is the program's end.
    QApplication::setQuitOnLastWindowClosed(false);

    dz::gui::QtHost host;
    dz::FileSystem fileSystem;
    dz::CVazedazApp program(host, fileSystem);
    // "dezoredu FOLDER" (a file manager's "Open with") starts with that source.
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')) && QFileInfo(argument).isDir()) {
            program.setStartSource(QFileInfo(argument).absoluteFilePath().toStdString());
            break;
        }
    }
    return program.run();
}

#include "app/CVazedazApp.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dezoredu"));
    QApplication::setApplicationVersion(QStringLiteral("1.3"));
    QApplication::setDesktopFileName(QStringLiteral("dezoredu"));
    // The main window is the program: it runs modally and its end is the program's end.
    QApplication::setQuitOnLastWindowClosed(false);

    dz::gui::QtHost host;
    dz::FileSystem fileSystem;
    dz::CVazedazApp program(host, fileSystem);
    return program.run();
}

#include "app/CVazedazApp.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

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

#include "SessionCommand.h"

#include "CliHost.h"
#include "CommandWords.h"
#include "LoadedSession.h"

#include "app/MainWindowIds.h"
#include "platform/FileSystem.h"

#include <string>

namespace dz {

using namespace mainwin;

void SessionCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli session [--all-formats] SESSION.fls\n"
           "\n"
           "Loads the session as File > Load Session does (the source folder is scanned\n"
           "again and must hold the same pictures) and prints, for each album, its line of\n"
           "the Albums list and its Album Details lines indented by two spaces, then the\n"
           "album summary line. Prompts go to standard error with the answer taken.\n"
           "--all-formats rescans for every photo and video file \"All photos and videos\"\n"
           "takes (see dezoredu-cli info --help); without it the Picture files choice kept\n"
           "in the settings holds.\n"
           "\n"
           "Exit status: 0 when the session was loaded, 1 when it was not, 2 on a usage\n"
           "error.\n";
}

int SessionCommand::run(const std::vector<std::string>& args) {
    CommandWords words = splitCommandWords(args);
    const bool allFormats = std::erase(words.options, std::string("--all-formats")) > 0;
    const std::optional<std::string> sessionPath = soleOperand(words, err_);
    if (!sessionPath) {
        printUsage(err_);
        return kUsageError;
    }

    CliHost host(err_);
    FileSystem fileSystem;
    LoadedSession session(host, fileSystem);
    if (allFormats) {
        session.state().pictureFiles = PictureFiles::AllFormats;
    }
    if (!session.load(*sessionPath)) {
        err_ << "dezoredu-cli: session not loaded: " << *sessionPath << "\n";
        return kNotLoaded;
    }
    // The details are those the window shows for the selected album.
    CVazedazDlg& window = session.window();
    const std::vector<std::string> entries = window.control(kAlbumsList).items;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out_ << entries[i] << '\n';
        window.control(kAlbumsList).selection = static_cast<int>(i);
        window.onSelectionChanged(kAlbumsList);
        for (const std::string& line : window.control(kAlbumDetails).items) {
            out_ << "  " << line << '\n';
        }
    }
    out_ << window.control(kAlbumSummary).text << '\n';
    out_.flush();
    return kDone;
}

}  // namespace dz

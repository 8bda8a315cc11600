#pragma once

#include "platform/MessageBox.h"

#include <optional>
#include <string>
#include <vector>

namespace dz {

class Window;

struct FileDialogRequest {
    std::string title;
    std::string filter;          // e.g. "Dezoredu session (*.fls)"
    std::string defaultSuffix;   // e.g. "fls"
    std::string initialFolder;
};

// Everything a window needs from the user interface it runs in. The Qt host
// drives real widgets; the scripted host of the tests answers from queues.
class Host {
public:
    virtual ~Host() = default;

    virtual Answer messageBox(const MessageRequest& request) = 0;
    Answer messageBox(const std::string& text, const std::string& caption, Icon icon,
                      Buttons buttons = Buttons::Ok) {
        return messageBox(MessageRequest{text, caption, icon, buttons});
    }

    // Empty optional when the user cancelled.
    virtual std::optional<std::string> browseFolder(const std::string& title) = 0;
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;

    // Runs the window until it ends and returns its result.
    virtual int runModal(Window& window) = 0;
    virtual void showModeless(Window& window) = 0;
    virtual void closeModeless(Window& window) = 0;

    // Lets pending user input be handled; long loops call it before each item.
    virtual void pumpMessages() = 0;

    // Topic 0 opens the contents page.
    virtual void openHelp(const std::string& helpFile, int topic) = 0;
    virtual void closeHelp() = 0;
    virtual bool openWebAddress(const std::string& address) = 0;

    // Switches between the program's own look and the platform's plain style.
    virtual void applySkin(bool enabled) = 0;
};

}  // namespace dz

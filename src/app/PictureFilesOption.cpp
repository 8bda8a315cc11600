#include "app/PictureFilesOption.h"

#include "app/Settings.h"
#include "platform/ConfigFolder.h"
#include "platform/Host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace dz {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The file holds one word a person can read.
constexpr const char* kJpegOnlyWord = "jpeg";
constexpr const char* kAllFormatsWord = "all";

}  // namespace

PictureFiles loadPictureFiles(const std::string& folder, PictureFiles unsaved) {
    File file(std::fopen(pictureFilesSettingsPath(folder).c_str(), "rb"), std::fclose);
    if (!file) {
        return errno == ENOENT ? unsaved : PictureFiles::JpegOnly;
    }
    char word[16] = {};
    const std::size_t got = std::fread(word, 1, sizeof word - 1, file.get());
    word[got] = '\0';
    const std::size_t length = std::strcspn(word, "\r\n \t");
    const bool all = length == std::strlen(kAllFormatsWord) && std::strncmp(word, kAllFormatsWord, length) == 0;
    return all ? PictureFiles::AllFormats : PictureFiles::JpegOnly;
}

bool savePictureFiles(const std::string& folder, PictureFiles files, Host& host) {
    if (!folder.empty()) {
        makeFolders(folder);  // beside fl.cfg, whose folder may not be made yet
    }
    File file(std::fopen(pictureFilesSettingsPath(folder).c_str(), "wb"), std::fclose);
    bool written = false;
    if (file) {
        const char* word = files == PictureFiles::AllFormats ? kAllFormatsWord : kJpegOnlyWord;
        written = std::fprintf(file.get(), "%s\n", word) > 0;
        // A full disk shows up only when the buffer is flushed.
        written = (std::fclose(file.release()) == 0) && written;
    }
    if (!written) {
        host.messageBox("Options could not be saved!", "Dezoredu", Icon::Error);
    }
    return written;
}

CPictureFilesOption::CPictureFilesOption(Host& host, PictureFiles& files, std::function<void()> save)
    : Window(host, "CPictureFilesOption", "Picture files", 0), files_(files), save_(std::move(save)) {
    addControl(kJpegOnly, ControlKind::RadioButton, "JPEG only");
    addControl(kAllFormats, ControlKind::RadioButton, "All photos and videos");
    addControl(kOk, ControlKind::Button, "OK");
    addControl(kCancel, ControlKind::Button, "Cancel");
}

void CPictureFilesOption::onInit() {
    control(kJpegOnly).checked = files_ == PictureFiles::JpegOnly;
    control(kAllFormats).checked = files_ == PictureFiles::AllFormats;
    refresh();
}

void CPictureFilesOption::onCommand(int id) {
    if (id == kJpegOnly || id == kAllFormats) {
        // The two buttons are one choice.
        control(kJpegOnly).checked = id == kJpegOnly;
        control(kAllFormats).checked = id == kAllFormats;
        refresh();
        return;
    }
    if (id == kOk) {
        files_ = control(kAllFormats).checked ? PictureFiles::AllFormats : PictureFiles::JpegOnly;
        if (save_) {
            save_();
        }
        endDialog(kResultOk);
        return;
    }
    if (id == kCancel) {
        endDialog(kResultCancel);
    }
}

}  // namespace dz

#include "app/Settings.h"

#include "platform/ConfigFolder.h"
#include "platform/Host.h"

#include <array>
#include <cstdio>
#include <memory>

namespace dz {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string settingsPath(const std::string& folder) {
    return folder.empty() ? std::string(kSettingsFileName) : folder + "/" + kSettingsFileName;
}

}  // namespace

std::string pictureFilesSettingsPath(const std::string& folder) {
    return folder.empty() ? std::string(kPictureFilesFileName) : folder + "/" + kPictureFilesFileName;
}

namespace {

// Reads one little-endian word; false leaves `word` as it was.
bool readWord(std::FILE* file, std::int32_t& word) {
    std::array<unsigned char, 4> b{};
    if (std::fread(b.data(), 1, b.size(), file) != b.size()) {
        return false;
    }
    word = static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                                     (static_cast<std::uint32_t>(b[2]) << 16) |
                                     (static_cast<std::uint32_t>(b[3]) << 24));
    return true;
}

bool writeWord(std::FILE* file, std::int32_t word) {
    const auto u = static_cast<std::uint32_t>(word);
    const std::array<unsigned char, 4> b{static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                         static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    return std::fwrite(b.data(), 1, b.size(), file) == b.size();
}

}  // namespace

std::string settingsFolder(const std::string& startFolder, const std::string& configFolder) {
    if (configFolder.empty()) {
        return startFolder;
    }
    File inStart(std::fopen(settingsPath(startFolder).c_str(), "rb"), std::fclose);
    return inStart ? startFolder : configFolder;
}

bool loadSettings(const std::string& folder, Settings& settings) {
    File file(std::fopen(settingsPath(folder).c_str(), "rb"), std::fclose);
    if (!file) {
        return false;
    }
    readWord(file.get(), settings.dateFormatIndex);
    readWord(file.get(), settings.timeFormatIndex);
    readWord(file.get(), settings.excludeDuplicates);
    readWord(file.get(), settings.moveFiles);
    readWord(file.get(), settings.skinEnabled);
    // Files written before the skin option existed hold four words.
    if (std::feof(file.get())) {
        settings.skinEnabled = 1;
    }
    return true;
}

bool saveSettings(const std::string& folder, const Settings& settings, Host& host) {
    if (!folder.empty()) {
        makeFolders(folder);  // a failure shows as the file failing to open
    }
    File file(std::fopen(settingsPath(folder).c_str(), "wb"), std::fclose);
    if (!file) {
        host.messageBox("Options could not be saved!", "Dezoredu", Icon::Error);
        return false;
    }
    bool written = writeWord(file.get(), settings.dateFormatIndex) && writeWord(file.get(), settings.timeFormatIndex) &&
                   writeWord(file.get(), settings.excludeDuplicates) && writeWord(file.get(), settings.moveFiles) &&
                   writeWord(file.get(), settings.skinEnabled);
    // A full disk shows up only when the buffer is flushed.
    written = (std::fclose(file.release()) == 0) && written;
    if (!written) {
        host.messageBox("Options could not be saved!", "Dezoredu", Icon::Error);
    }
    return written;
}

}  // namespace dz

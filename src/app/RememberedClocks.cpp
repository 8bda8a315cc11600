#include "app/RememberedClocks.h"

#include "platform/ConfigFolder.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

namespace dz {

namespace {

constexpr std::size_t kFields = 5;

std::string withoutBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    return text;
}

std::string clocksPath(const std::string& folder) {
    return folder.empty() ? std::string(kCameraClocksFileName) : folder + "/" + kCameraClocksFileName;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    while (fields.size() <= kFields) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) {
            break;
        }
        line.remove_prefix(tab + 1);
    }
    return fields;
}

std::optional<std::pair<CameraBody, CameraClock>> lineOf(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != kFields) {
        return std::nullopt;
    }
    std::optional<CameraClock> clock = parseClockZone(std::string(fields[3]));
    const std::optional<std::int64_t> correction = parseClockCorrection(std::string(fields[4]));
    if (!clock || !correction) {
        return std::nullopt;
    }
    clock->correctionSeconds = *correction;
    if (clock->isDefault() || (fields[0].empty() && fields[1].empty())) {
        return std::nullopt;
    }
    return std::make_pair(CameraBody{std::string(fields[0]), std::string(fields[1]), std::string(fields[2])}, *clock);
}

}  // namespace

CameraBody storedBody(const CameraBody& body) {
    return {withoutBreaks(body.make), withoutBreaks(body.model), withoutBreaks(body.serial)};
}

BodyClocks parseRememberedClocks(std::string_view text) {
    BodyClocks clocks;
    std::size_t lines = 0;
    while (!text.empty() && lines < kCameraClocksMaxLines) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lines;
        if (auto entry = lineOf(line)) {
            clocks.push_back(std::move(*entry));
        }
    }
    return clocks;
}

std::string rememberedClocksText(const BodyClocks& clocks) {
    std::string text;
    for (const auto& [body, clock] : clocks) {
        if (clock.isDefault()) {
            continue;
        }
        const CameraBody stored = storedBody(body);
        text += stored.make + '\t' + stored.model + '\t' + stored.serial + '\t' + clockZoneText(clock) + '\t' +
                clockCorrectionText(clock.correctionSeconds) + '\n';
    }
    return text;
}

BodyClocks mergeRememberedClocks(BodyClocks remembered, const BodyClocks& set) {
    for (const auto& [body, clock] : set) {
        const CameraBody stored = storedBody(body);
        std::erase_if(remembered, [&](const auto& entry) { return storedBody(entry.first) == stored; });
        if (!clock.isDefault()) {
            remembered.emplace_back(stored, clock);
        }
    }
    if (remembered.size() > kCameraClocksMaxLines) {
        remembered.erase(remembered.begin(),
                         remembered.begin() + static_cast<std::ptrdiff_t>(remembered.size() - kCameraClocksMaxLines));
    }
    return remembered;
}

BodyClocks loadRememberedClocks(FileSystem& fileSystem, const std::string& folder) {
    const std::unique_ptr<ByteSource> file = fileSystem.openRead(clocksPath(folder));
    if (!file) {
        return {};
    }
    // One byte past the limit tells a file that goes on.
    std::string text(kCameraClocksMaxBytes + 1, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const std::size_t n = file->read(reinterpret_cast<std::uint8_t*>(text.data()) + got, text.size() - got);
        if (n == 0) {
            break;
        }
        got += n;
    }
    text.resize(got);
    if (got > kCameraClocksMaxBytes) {
        // The line cut at the limit is not read as though it were whole.
        const std::size_t lastBreak = text.rfind('\n', kCameraClocksMaxBytes - 1);
        text.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    }
    return parseRememberedClocks(text);
}

bool rememberClocks(FileSystem& fileSystem, const std::string& folder, const BodyClocks& set, Host& host) {
    const std::string text = rememberedClocksText(mergeRememberedClocks(loadRememberedClocks(fileSystem, folder), set));
    const std::string path = clocksPath(folder);
    if (text.empty() && !fileSystem.exists(path)) {
        return true;  // nothing to keep, and no file to empty
    }
    if (!folder.empty()) {
        makeFolders(folder);  // beside fl.cfg, whose folder may not be made yet
    }
    const bool written = fileSystem.writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    if (!written) {
        host.messageBox("Options could not be saved!", "Dezoredu", Icon::Error);
    }
    return written;
}

}  // namespace dz

#include "MediaFiles.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace dz::test {

namespace {

std::string le32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

std::string chunk(const std::string& code, const std::string& payload) {
    std::string out = code + le32(static_cast<std::uint32_t>(payload.size())) + payload;
    if (payload.size() % 2 != 0) {
        out.push_back('\0');
    }
    return out;
}

}  // namespace

bool ffmpegAvailable() {
    return std::system("ffmpeg -version >/dev/null 2>&1") == 0;
}

bool runFfmpeg(const std::string& args, const std::string& out) {
    const std::string command = "ffmpeg -v error -y " + args + " '" + out + "' </dev/null";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(out);
}

bool runExiftool(const std::string& args, const std::string& path) {
    const std::string command = "exiftool -q -overwrite_original " + args + " '" + path + "' </dev/null";
    return std::system(command.c_str()) == 0;
}

std::vector<std::string> exiftoolValues(const std::vector<std::string>& tags, const std::string& path) {
    std::string command = "exiftool -T -n";
    for (const std::string& tag : tags) {
        command += " '" + tag + "'";
    }
    command += " '" + path + "' 2>/dev/null";
    std::string line;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            line += buffer;
        }
        ::pclose(pipe);
    }
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    // One field per tag, tab-separated, "-" where the file has none.
    std::vector<std::string> values;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) {
        values.push_back(field == "-" ? std::string{} : field);
    }
    values.resize(tags.size());
    return values;
}

std::string exifSegmentOf(const std::string& jpeg) {
    std::size_t pos = 2;
    while (pos + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[pos]) == 0xFF) {
        const unsigned marker = static_cast<unsigned char>(jpeg[pos + 1]);
        const std::size_t length =
            (std::size_t{static_cast<unsigned char>(jpeg[pos + 2])} << 8) | static_cast<unsigned char>(jpeg[pos + 3]);
        if (marker == 0xE1 && jpeg.compare(pos + 4, 6, std::string("Exif\0\0", 6)) == 0) {
            return jpeg.substr(pos + 4, length - 2);
        }
        pos += 2 + length;
    }
    return {};
}

std::string webpWithExif(const std::string& webp, const std::string& exif) {
    // The picture's size, from the key frame header of its VP8 bitstream.
    const std::string picture = webp.substr(12);
    const auto at = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(picture[i])); };
    const unsigned width = (at(14) | (at(15) << 8)) & 0x3FFF;
    const unsigned height = (at(16) | (at(17) << 8)) & 0x3FFF;
    std::string canvas(10, '\0');
    canvas[0] = 0x08;  // EXIF present
    const std::string w = le32(width - 1);
    const std::string h = le32(height - 1);
    canvas.replace(4, 3, w.substr(0, 3));
    canvas.replace(7, 3, h.substr(0, 3));
    const std::string body = "WEBP" + chunk("VP8X", canvas) + picture + chunk("EXIF", exif);
    return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

}  // namespace dz::test

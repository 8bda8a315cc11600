#include "app/SessionExtras.h"

#include "timeline/ZoneRules.h"

#include <algorithm>
#include <array>

namespace dz {

namespace {

// Its last byte is not zero, and a picture record always ends with one: a
// file of the first layout cannot end with the mark.
constexpr std::array<std::uint8_t, 8> kMark{'D', 'Z', 'S', 'E', 'S', 'X', 'T', '1'};
constexpr std::uint32_t kBlockVersion = 1;
constexpr std::size_t kTrailerBytes = 4 + 4 + kMark.size();
constexpr std::size_t kRecordHeadBytes = 2 + 4;

enum Tag : std::uint16_t {
    kDateRulesTag = 1,
    // Pairs of album id and naming, eight bytes each.
    kAlbumNamingsTag = 2,
    // Present, with the value 1, when the session keeps one timeline.
    kOneTimelineTag = 3,
    // The camera clocks the user set: for a body or for a model.
    kCameraClocksTag = 4,
    // Corrections of single pictures: path and seconds.
    kPictureCorrectionsTag = 5,
};

constexpr std::size_t kLongestText = 4096;
constexpr std::int64_t kLargestCorrection = 9999LL * 3600;
constexpr std::int32_t kLargestOffset = 14 * 3600;
constexpr std::uint8_t kClockOfBody = 0;
constexpr std::uint8_t kClockOfModel = 1;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t get32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void put64(std::vector<std::uint8_t>& out, std::uint64_t value) {
    put32(out, static_cast<std::uint32_t>(value));
    put32(out, static_cast<std::uint32_t>(value >> 32));
}

void putText(std::vector<std::uint8_t>& out, const std::string& text) {
    const std::size_t size = std::min(text.size(), kLongestText);
    put16(out, static_cast<std::uint16_t>(size));
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
}

// Reads the fields of a record in a row; the first short read sticks.
class FieldCursor {
public:
    explicit FieldCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == bytes_.size(); }

    std::uint8_t u8() { return take(1) ? bytes_[at_ - 1] : 0; }
    std::uint16_t u16() {
        return take(2) ? static_cast<std::uint16_t>(bytes_[at_ - 2] | (bytes_[at_ - 1] << 8)) : 0;
    }
    std::uint32_t u32() { return take(4) ? get32(bytes_, at_ - 4) : 0; }
    std::uint64_t u64() {
        const std::uint64_t low = u32();
        return low | (static_cast<std::uint64_t>(u32()) << 32);
    }
    std::string text() {
        const std::size_t size = u16();
        if (size > kLongestText || !take(size)) {
            ok_ = false;
            return {};
        }
        return std::string(bytes_.begin() + static_cast<std::ptrdiff_t>(at_ - size), bytes_.begin() + static_cast<std::ptrdiff_t>(at_));
    }

private:
    bool take(std::size_t n) {
        if (!ok_ || bytes_.size() < n || at_ > bytes_.size() - n) {
            ok_ = false;
            return false;
        }
        at_ += n;
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// One clock; false when its fields are out of their ranges. A zone this
// machine's tz database lacks reads as the local time of the place.
bool readClock(FieldCursor& in, CameraClock& clock) {
    const std::uint8_t zone = in.u8();
    const auto offset = static_cast<std::int32_t>(in.u32());
    const std::string name = in.text();
    const auto correction = static_cast<std::int64_t>(in.u64());
    if (!in.ok() || zone > static_cast<std::uint8_t>(CameraClock::Zone::Named) || offset < -kLargestOffset ||
        offset > kLargestOffset || correction < -kLargestCorrection || correction > kLargestCorrection) {
        return false;
    }
    clock.zone = static_cast<CameraClock::Zone>(zone);
    clock.offsetSeconds = offset;
    clock.correctionSeconds = correction;
    if (clock.zone == CameraClock::Zone::Named) {
        clock.zoneName = name;
        if (!isKnownZone(name)) {
            clock.zone = CameraClock::Zone::PlaceLocal;
            clock.zoneName.clear();
        }
    }
    return true;
}

void putClock(std::vector<std::uint8_t>& out, const CameraClock& clock) {
    out.push_back(static_cast<std::uint8_t>(clock.zone));
    put32(out, static_cast<std::uint32_t>(clock.offsetSeconds));
    putText(out, clock.zoneName);
    put64(out, static_cast<std::uint64_t>(clock.correctionSeconds));
}

bool readCameraClocks(std::span<const std::uint8_t> value, CameraClocks& clocks) {
    FieldCursor in(value);
    while (in.ok() && !in.atEnd()) {
        const std::uint8_t kind = in.u8();
        CameraBody body;
        if (kind == kClockOfBody) {
            body.make = in.text();
            body.model = in.text();
            body.serial = in.text();
        } else if (kind == kClockOfModel) {
            body.model = in.text();
        } else {
            return false;
        }
        CameraClock clock;
        if (!readClock(in, clock)) {
            return false;
        }
        if (kind == kClockOfBody) {
            clocks.byBody.emplace_back(std::move(body), std::move(clock));
        } else {
            clocks.byModel.emplace_back(std::move(body.model), std::move(clock));
        }
    }
    return in.ok();
}

bool readPictureCorrections(std::span<const std::uint8_t> value, SessionFile& session) {
    FieldCursor in(value);
    while (in.ok() && !in.atEnd()) {
        std::string path = in.text();
        const auto seconds = static_cast<std::int64_t>(in.u64());
        if (!in.ok() || seconds < -kLargestCorrection || seconds > kLargestCorrection) {
            return false;
        }
        session.pictureCorrections.emplace_back(std::move(path), seconds);
    }
    return in.ok();
}

void putRecord(std::vector<std::uint8_t>& out, Tag tag, const std::vector<std::uint8_t>& value) {
    put16(out, tag);
    put32(out, static_cast<std::uint32_t>(value.size()));
    out.insert(out.end(), value.begin(), value.end());
}

// One record's value into `session`; false when a known tag's value is wrong.
bool readRecord(std::uint16_t tag, std::span<const std::uint8_t> value, SessionFile& session) {
    switch (tag) {
    case kDateRulesTag: {
        if (value.size() != 4 || !isKnownDateRules(get32(value, 0))) {
            return false;
        }
        session.dateRules = static_cast<DateRules>(get32(value, 0));
        return true;
    }
    case kAlbumNamingsTag: {
        if (value.size() % 8 != 0) {
            return false;
        }
        for (std::size_t at = 0; at < value.size(); at += 8) {
            const std::uint32_t naming = get32(value, at + 4);
            if (naming > static_cast<std::uint32_t>(AlbumNaming::Sortable)) {
                return false;
            }
            session.namings.emplace_back(static_cast<std::int32_t>(get32(value, at)), static_cast<AlbumNaming>(naming));
        }
        return true;
    }
    case kOneTimelineTag:
        if (value.size() != 4 || get32(value, 0) != 1) {
            return false;
        }
        session.oneTimeline = true;
        return true;
    case kCameraClocksTag:
        return readCameraClocks(value, session.cameraClocks);
    case kPictureCorrectionsTag:
        return readPictureCorrections(value, session);
    default:
        // A later program's field.
        return true;
    }
}

}  // namespace

void appendSessionExtras(const SessionFile& session, std::vector<std::uint8_t>& bytes) {
    const std::size_t start = bytes.size();
    std::vector<std::uint8_t> rules;
    put32(rules, static_cast<std::uint32_t>(session.dateRules));
    putRecord(bytes, kDateRulesTag, rules);
    std::vector<std::uint8_t> namings;
    for (const Album& album : session.albums) {
        put32(namings, static_cast<std::uint32_t>(album.id));
        put32(namings, static_cast<std::uint32_t>(album.naming));
    }
    putRecord(bytes, kAlbumNamingsTag, namings);
    // The timeline's records only where they say something, so a session
    // off the timeline reads as it always has.
    if (session.oneTimeline) {
        std::vector<std::uint8_t> on;
        put32(on, 1);
        putRecord(bytes, kOneTimelineTag, on);
    }
    if (!session.cameraClocks.byBody.empty() || !session.cameraClocks.byModel.empty()) {
        std::vector<std::uint8_t> clocks;
        for (const auto& [body, clock] : session.cameraClocks.byBody) {
            clocks.push_back(kClockOfBody);
            putText(clocks, body.make);
            putText(clocks, body.model);
            putText(clocks, body.serial);
            putClock(clocks, clock);
        }
        for (const auto& [model, clock] : session.cameraClocks.byModel) {
            clocks.push_back(kClockOfModel);
            putText(clocks, model);
            putClock(clocks, clock);
        }
        putRecord(bytes, kCameraClocksTag, clocks);
    }
    if (!session.pictureCorrections.empty()) {
        std::vector<std::uint8_t> corrections;
        for (const auto& [path, seconds] : session.pictureCorrections) {
            putText(corrections, path);
            put64(corrections, static_cast<std::uint64_t>(seconds));
        }
        putRecord(bytes, kPictureCorrectionsTag, corrections);
    }
    put32(bytes, static_cast<std::uint32_t>(bytes.size() - start));
    put32(bytes, kBlockVersion);
    bytes.insert(bytes.end(), kMark.begin(), kMark.end());
}

std::optional<std::size_t> readSessionExtras(std::span<const std::uint8_t> bytes, SessionFile& session) {
    if (bytes.size() < kTrailerBytes || !std::equal(kMark.begin(), kMark.end(), bytes.end() - kMark.size())) {
        session.dateRules = DateRules::AsFirstMade;
        return bytes.size();
    }
    const std::size_t trailer = bytes.size() - kTrailerBytes;
    const std::uint32_t length = get32(bytes, trailer);
    if (length > trailer || get32(bytes, trailer + 4) < 1) {
        return std::nullopt;
    }
    const std::size_t start = trailer - length;
    std::span<const std::uint8_t> block = bytes.subspan(start, length);
    while (!block.empty()) {
        if (block.size() < kRecordHeadBytes) {
            return std::nullopt;
        }
        const auto tag = static_cast<std::uint16_t>(block[0] | (block[1] << 8));
        const std::uint32_t size = get32(block, 2);
        block = block.subspan(kRecordHeadBytes);
        if (size > block.size() || !readRecord(tag, block.first(size), session)) {
            return std::nullopt;
        }
        block = block.subspan(size);
    }
    return start;
}

}  // namespace dz

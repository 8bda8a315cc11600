#pragma once

#include "timeline/CameraClock.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dz {

class FileSystem;
class Host;

// The clocks the user set, kept per camera body in a file of their own
// beside "fl.cfg", so that the next catalogue of the same cameras can take
// them again. One line a body: make, model, serial, clock, correction,
// separated by tabs.
inline constexpr const char* kCameraClocksFileName = "camera-clocks";
// The file is read as untrusted: no more of it than this.
inline constexpr std::size_t kCameraClocksMaxBytes = 64 * 1024;
inline constexpr std::size_t kCameraClocksMaxLines = 1000;

using BodyClocks = std::vector<std::pair<CameraBody, CameraClock>>;

// The body as the file keeps it: its names without tabs or line breaks.
CameraBody storedBody(const CameraBody& body);

// The bodies of the file's text, in its order. A line with other than five
// fields, a clock or correction that does not read, or nothing set is left
// out; lines past the first 1,000 are not read.
BodyClocks parseRememberedClocks(std::string_view text);

// The file's text of `clocks`; bodies left at the local time with no
// correction are left out.
std::string rememberedClocksText(const BodyClocks& clocks);

// `remembered` with the clocks of `set` in place of what it held for those
// bodies, a default clock forgetting its body; the oldest go past 1,000.
BodyClocks mergeRememberedClocks(BodyClocks remembered, const BodyClocks& set);

// The file of `folder`, at most its first 64 KiB; nothing when it is missing.
BodyClocks loadRememberedClocks(FileSystem& fileSystem, const std::string& folder);

// Merges `set` into the file of `folder`; on failure shows "Options could
// not be saved!".
bool rememberClocks(FileSystem& fileSystem, const std::string& folder, const BodyClocks& set, Host& host);

}  // namespace dz

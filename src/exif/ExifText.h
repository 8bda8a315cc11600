#pragma once

#include "exif/ExifByteReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dz {

// Longest comment taken from a UserComment value.
inline constexpr std::size_t kUserCommentChars = 199;
// A comment section is read from at most this many of its first bytes.
inline constexpr std::size_t kCommentSectionBytes = 1000;

// The bytes of `value` up to its first zero byte, its end or `limit`
// characters, whichever comes first.
std::string copyText(const ExifByteReader& value, std::size_t limit);

// The same without the spaces that pad it on either side.
std::string trimmedText(const ExifByteReader& value, std::size_t limit);

// True for a clock's offset from UTC as EXIF stores it, "+HH:MM" or "-HH:MM",
// within the offsets clocks use (hours up to 14).
bool isClockOffset(std::string_view text);

// The comment a UserComment value gives, or nothing when it leaves the
// record's comment as it is (an "ASCII" value with no text after the code).
std::optional<std::string> userCommentText(const ExifByteReader& value);

// The comment of a COM section; `section` starts at its two length bytes.
std::string commentSectionText(const std::uint8_t* section, std::size_t length);

// Length in inches of one unit of a resolution-unit code, or nothing for a
// code that leaves the field unchanged.
std::optional<float> unitLengthInInches(int code);

}  // namespace dz

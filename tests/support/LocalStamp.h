#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace dz::test {

// A wall-clock time as the program's time value: the fields taken as UTC plus
// the bias of the moment, as picture time stamps are made.
std::int64_t localStamp(int year, int month, int day, int hour, int minute, int second);

// 32-bit words as little-endian bytes.
std::string littleEndianWords(std::initializer_list<std::uint32_t> values);

}  // namespace dz::test

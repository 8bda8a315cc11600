#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dz {

// A local date and time of day, to the second, as the date and time pickers
// of the manual range hold it.
struct LocalDateTime {
    int year = 1601;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

// A time value (100-ns intervals since 1601) as local time: the value less the
// bias, read as calendar fields. This is the first step the date and time
// texts take, so the pickers show the day and time the album's texts show.
// `biasMinutes` is UTC minus local time. Parts of a second are dropped.
LocalDateTime localDateTimeOf(std::int64_t value, int biasMinutes);

// The inverse: the fields plus the bias as a time value, so that
// localDateTimeOf gives the same fields back. Empty for a field out of its
// range or a time the scale cannot hold: not after 1601-01-01 00:00:00 (0
// means "not set" in an album) or after 30827-12-31 23:59:59.
std::optional<std::int64_t> timeValueOf(const LocalDateTime& local, int biasMinutes);

// The picker controls' texts: "YYYY-MM-DD" and "HH:MM:SS".
std::string pickerDateText(const LocalDateTime& local);
std::string pickerTimeText(const LocalDateTime& local);

// The date of one picker text with the time of day of the other; empty when
// either is not in its form or names no real day or time.
std::optional<LocalDateTime> readPickers(const std::string& date, const std::string& time);

}  // namespace dz

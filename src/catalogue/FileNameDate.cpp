#include "catalogue/FileNameDate.h"

#include <cstdio>
#include <ctime>

namespace dz {

namespace {

struct Fields {
    int year = 0, month = 0, day = 0, hour = 12, minute = 0, second = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// `count` digits at `at` as a number, or -1.
int digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at > text.size() || text.size() - at < count) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!isDigit(text[at + i])) {
            return -1;
        }
        value = value * 10 + (text[at + i] - '0');
    }
    return value;
}

bool validDate(const Fields& f) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return f.year >= 1990 && f.year <= 2099 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= kDays[f.month - 1];
}

// A date at `at`: "20240711" or "2024-07-11" (or "_" between); the index
// after it, or 0.
std::size_t readDate(std::string_view name, std::size_t at, Fields& f) {
    if (at > 0 && isDigit(name[at - 1])) {
        return 0;
    }
    f.year = digits(name, at, 4);
    if (f.year < 0) {
        return 0;
    }
    std::size_t next = at + 4;
    const bool separated = next < name.size() && (name[next] == '-' || name[next] == '_');
    if (separated) {
        const char mark = name[next];
        f.month = digits(name, next + 1, 2);
        if (f.month < 0 || next + 3 >= name.size() || name[next + 3] != mark) {
            return 0;
        }
        f.day = digits(name, next + 4, 2);
        next += 6;
    } else {
        f.month = digits(name, next, 2);
        f.day = digits(name, next + 2, 2);
        next += 4;
    }
    if (f.month < 0 || f.day < 0 || !validDate(f) || (next < name.size() && isDigit(name[next]))) {
        return 0;
    }
    return next;
}

// A time after the date: "_130000", "-130000", " 13.00.00", " at 13.00.00",
// "T13:00:00". False leaves the fields as they were.
bool readTime(std::string_view name, std::size_t at, Fields& f) {
    std::size_t start = at;
    if (name.substr(start, 4) == " at ") {
        start += 4;
    } else if (start < name.size() && (name[start] == '_' || name[start] == '-' || name[start] == ' ' ||
                                        name[start] == 'T')) {
        ++start;
    } else {
        return false;
    }
    Fields t = f;
    t.hour = digits(name, start, 2);
    const char mark = start + 2 < name.size() ? name[start + 2] : '\0';
    if (mark == '.' || mark == ':' || mark == '-') {
        t.minute = digits(name, start + 3, 2);
        t.second = start + 5 < name.size() && name[start + 5] == mark ? digits(name, start + 6, 2) : -1;
    } else {
        t.minute = digits(name, start + 2, 2);
        t.second = digits(name, start + 4, 2);
    }
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
        return false;
    }
    f = t;
    return true;
}

std::string exifText(const Fields& f) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                  f.second);
    return text;
}

// A UTC time as the computer's local time.
bool toLocal(Fields& f) {
    std::tm utc{};
    utc.tm_year = f.year - 1900;
    utc.tm_mon = f.month - 1;
    utc.tm_mday = f.day;
    utc.tm_hour = f.hour;
    utc.tm_min = f.minute;
    utc.tm_sec = f.second;
    const std::time_t moment = ::timegm(&utc);
    std::tm local{};
    if (moment == static_cast<std::time_t>(-1) || ::localtime_r(&moment, &local) == nullptr) {
        return false;
    }
    f = Fields{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    return true;
}

}  // namespace

std::optional<FileNameDate> dateInFileName(std::string_view name) {
    for (std::size_t at = 0; at + 8 <= name.size(); ++at) {
        Fields f;
        const std::size_t end = readDate(name, at, f);
        if (end == 0) {
            continue;
        }
        FileNameDate found;
        found.timeKnown = readTime(name, end, f);
        if (found.timeKnown && name.substr(0, 4) == "PXL_" && !toLocal(f)) {
            return std::nullopt;
        }
        found.dateTime = exifText(f);
        return found;
    }
    return std::nullopt;
}

}  // namespace dz

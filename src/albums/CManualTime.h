#pragma once

#include "albums/Album.h"
#include "platform/Window.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dz {

// "Manual Time Range Settings": the album's start and end from date and time
// pickers instead of from film pictures. The pickers are edit controls
// holding "YYYY-MM-DD" (dates) and "HH:MM:SS" (times of day), local time.
//
// OK stores both ends, in whatever order they were chosen, and closes with
// kResultOk; Cancel closes with kResultCancel and changes nothing.
class CManualTime final : public Window {
public:
    static constexpr int kStartDate = 1013;
    static constexpr int kEndDate = 1014;
    static constexpr int kStartTime = 1015;
    static constexpr int kEndTime = 1016;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kStartGroup = 2401;
    static constexpr int kEndGroup = 2402;
    static constexpr int kTo = 2403;

    // `firstShot` and `lastShot` are the shot keys of the first and the last
    // picture on the film (none when the film is empty); an end the album
    // has not set opens on them. `biasMinutes` is UTC minus local time, the
    // bias the shot keys were made with.
    CManualTime(Host& host, Album& album, std::optional<std::uint64_t> firstShot,
                std::optional<std::uint64_t> lastShot, int biasMinutes);

    void onInit() override;
    void onCommand(int id) override;

private:
    // One end: its two pickers and the value they showed on opening.
    struct End {
        int dateId;
        int timeId;
        std::uint64_t opened = 0;
        std::string openedDate;
        std::string openedTime;
    };

    void show(End& end, std::uint64_t value);
    // The value the end's pickers hold; empty when they hold no valid time.
    std::optional<std::uint64_t> chosen(const End& end) const;
    void ok();

    Album& album_;
    std::optional<std::uint64_t> firstShot_;
    std::optional<std::uint64_t> lastShot_;
    int biasMinutes_;
    End start_{kStartDate, kStartTime, 0, {}, {}};
    End end_{kEndDate, kEndTime, 0, {}, {}};
};

}  // namespace dz

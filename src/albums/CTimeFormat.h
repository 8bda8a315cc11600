#pragma once

#include "platform/Window.h"

#include <cstdint>
#include <functional>

namespace dz {

// The "Date and Time format" window: two drop-down lists of samples.
class CTimeFormat final : public Window {
public:
    static constexpr int kDateList = 1101;
    static constexpr int kTimeList = 1102;
    static constexpr int kSave = 1;
    static constexpr int kDiscard = 2;
    static constexpr int kDateGroup = 2101;
    static constexpr int kTimeGroup = 2102;
    static constexpr int kDateLabel = 2103;
    static constexpr int kTimeLabel = 2104;

    // The two indexes are the settings words the window edits; `reload`
    // reads the settings file again, `save` writes it; `now` is the time the
    // samples show (100-ns intervals since 1601, UTC).
    CTimeFormat(Host& host, std::int32_t& dateFormatIndex, std::int32_t& timeFormatIndex,
                std::function<void()> reload, std::function<void()> save, std::int64_t now);

    void onInit() override;
    void onCommand(int id) override;

private:
    std::int32_t& dateFormatIndex_;
    std::int32_t& timeFormatIndex_;
    std::function<void()> reload_;
    std::function<void()> save_;
    std::int64_t now_;
};

}  // namespace dz

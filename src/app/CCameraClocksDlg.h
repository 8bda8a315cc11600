#pragma once

#include "catalogue/PictureRecord.h"
#include "platform/Window.h"
#include "timeline/CameraClock.h"
#include "timeline/CameraSummary.h"
#include "timeline/PlaceOfShot.h"
#include "timeline/Timeline.h"

#include <string>
#include <vector>

namespace dz {

// How the Camera Clocks window reads the timeline and shows its times.
struct CameraClocksContext {
    PlaceFinder places;
    OffsetAt computerOffset;
    int dateFormatIndex = 1;
    int timeFormatIndex = 1;
    int biasMinutes = 0;  // the one the film's texts are read with
};

// "Camera clocks": every camera of the catalogue with what its clock was
// on, and the clock and correction the user sets for one. The cameras are
// shown on the timeline as the clocks of the moment make it; OK hands the
// clocks and the one-timeline choice back, Cancel leaves them as they were.
class CCameraClocksDlg final : public Window {
public:
    static constexpr int kOneTimeline = 1401;
    static constexpr int kCameras = 1402;
    static constexpr int kClockLabel = 1403;
    static constexpr int kClock = 1404;
    static constexpr int kCorrectionLabel = 1405;
    static constexpr int kCorrection = 1406;
    static constexpr int kSet = 1407;
    static constexpr int kSameMoment = 1408;
    static constexpr int kHint = 1409;
    // The whole reason for the selected camera's clock, which the list may cut.
    static constexpr int kWhy = 1410;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    // The columns of kCameras, whose rows are tab-separated texts.
    static const std::vector<std::string>& cameraColumns();

    CCameraClocksDlg(Host& host, const std::vector<PictureRecord>& pictures, CameraClocks& clocks, bool& oneTimeline,
                     CameraClocksContext context);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;

private:
    // Resolves the timeline again with the clocks of the moment and redraws the list.
    void resolve();
    void showCameras();
    void showSelected();
    void setClock();
    void sameMoment();
    void putClock(const CameraBody& body, const CameraClock& clock);
    const CameraSummary* selectedCamera() const;
    std::string shownTime(std::int64_t localSeconds) const;
    // "name<TAB>shown time<TAB>model" of a shot.
    std::string shotRow(std::size_t shot) const;

    const std::vector<PictureRecord>& pictures_;
    CameraClocks& clocks_;
    bool& oneTimeline_;
    CameraClocksContext context_;
    CameraClocks working_;
    TimelineInput input_;
    std::vector<ShotTime> times_;
    std::vector<CameraSummary> cameras_;
};

}  // namespace dz

#include "MainWindowFixture.h"
#include "MediaFiles.h"

#include "app/CCameraClocksDlg.h"
#include "app/CSameMomentDlg.h"
#include "app/RememberedClocks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace dz {
namespace {

using namespace mainwin;
using test::MainWindowFixture;
using W = CCameraClocksDlg;

int columnOf(const std::string& name) {
    const auto& names = W::cameraColumns();
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

std::string field(const std::string& row, int column) {
    std::size_t start = 0;
    for (int i = 0; i < column; ++i) {
        start = row.find('\t', start);
        if (start == std::string::npos) {
            return {};
        }
        ++start;
    }
    return row.substr(start, row.find('\t', start) - start);
}

// The row of a list whose column `column` reads `text`; -1 for none.
int rowWith(const Window& window, int list, int column, const std::string& text) {
    const auto& items = window.control(list).items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (field(items[i], column) == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A phone on Kyoto time with offset tags and positions, and a camera with
// nothing that tells its zone (the tests' computer is in Central Europe).
class MainWindowCameraClocks : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        start();
        const auto tag = [&](const std::string& name, const std::string& args) {
            const std::string path = source.write(name, test::readTestData("canon-40d.jpg")).string();
            ASSERT_TRUE(test::runExiftool(args, path));
        };
        const std::string kyoto = " -OffsetTimeOriginal=+09:00 -GPSLatitude=35.0116 -GPSLatitudeRef=N"
                                  " -GPSLongitude=135.7681 -GPSLongitudeRef=E";
        tag("phone-1.jpg", "-Make=Google -Model='Pixel 5' -DateTimeOriginal='2024:07:06 06:10:00'" + kyoto);
        tag("phone-2.jpg", "-Make=Google -Model='Pixel 5' -DateTimeOriginal='2024:07:06 07:05:00'" + kyoto);
        tag("camera.jpg", "-DateTimeOriginal='2024:07:05 17:30:00'");
        scan();
        ASSERT_EQ(catalogue().size(), 3u);
    }

    void scan() {
        host.browseTo(source.str());
        window->onCommand(kSelectSourceButton);
    }
    std::vector<PictureRecord>& catalogue() { return state.dirReader->catalogue(); }
    std::vector<std::string> order() {
        std::vector<std::string> names;
        for (const PictureRecord& p : catalogue()) {
            names.push_back(std::filesystem::path(p.path).filename().string());
        }
        return names;
    }
    const PictureRecord& picture(const std::string& name) {
        return *std::find_if(catalogue().begin(), catalogue().end(), [&](const PictureRecord& p) {
            return std::filesystem::path(p.path).filename() == name;
        });
    }
    // Opens the window with `script` inside it.
    void clocksWindow(std::function<void(Window&)> script) {
        host.onModal("CCameraClocksDlg", std::move(script));
        window->onCommand(kMenuCameraClocks);
    }
    static void selectCamera(Window& w, const std::string& model) {
        w.control(W::kCameras).selection = rowWith(w, W::kCameras, columnOf("Model"), model);
        ASSERT_GE(w.control(W::kCameras).selection, 0) << model;
        w.onSelectionChanged(W::kCameras);
    }
    static void set(Window& w, const std::string& clock, const std::string& correction) {
        w.control(W::kClock).text = clock;
        w.control(W::kCorrection).text = correction;
        w.onCommand(W::kSet);
    }
    static std::string cameraColumn(Window& w, const std::string& column) {
        return field(w.control(W::kCameras).items[static_cast<std::size_t>(w.control(W::kCameras).selection)],
                     columnOf(column));
    }
    std::string rememberedFile() {
        return test::fileContents(state.settingsFolder + "/" + kCameraClocksFileName);
    }

    const CameraBody canon{"Canon", "Canon EOS 40D", ""};
};

TEST_F(MainWindowCameraClocks, ASetZoneMovesTheCameraOnTheTimelineAndIsRemembered) {
    EXPECT_TRUE(control(kMenuCameraClocks).enabled);
    EXPECT_EQ(order(), (std::vector<std::string>{"camera.jpg", "phone-1.jpg", "phone-2.jpg"}));
    std::string firstBefore;
    clocksWindow([&](Window& w) {
        EXPECT_EQ(w.title(), "Camera clocks");
        ASSERT_EQ(w.control(W::kCameras).items.size(), 2u);
        selectCamera(w, "Canon EOS 40D");
        EXPECT_EQ(w.control(W::kClock).text, "local");
        firstBefore = cameraColumn(w, "First shot");
        set(w, "America/New_York", "+0:00:00");
        // The list is resolved again: New York's 17:30 is 06:30 in Kyoto, where the phone was.
        EXPECT_EQ(cameraColumn(w, "Model"), "Canon EOS 40D");
        EXPECT_EQ(cameraColumn(w, "First shot"), "[2024-07-06] [06 30 00]");
        EXPECT_EQ(cameraColumn(w, "Clock"), "America/New_York");
        EXPECT_EQ(cameraColumn(w, "Why").rfind("set by the user", 0), 0u) << cameraColumn(w, "Why");
        w.onCommand(W::kOk);
    });
    EXPECT_NE(firstBefore, "[2024-07-06] [06 30 00]");
    ASSERT_EQ(state.cameraClocks.byBody.size(), 1u);
    EXPECT_EQ(state.cameraClocks.byBody[0].first, canon);
    EXPECT_EQ(order(), (std::vector<std::string>{"phone-1.jpg", "camera.jpg", "phone-2.jpg"}));
    EXPECT_EQ(rememberedFile(), "Canon\tCanon EOS 40D\t\tAmerica/New_York\t+0:00:00\n");

    // Set back to the local time, the body is forgotten.
    clocksWindow([&](Window& w) {
        selectCamera(w, "Canon EOS 40D");
        set(w, "local", "");
        w.onCommand(W::kOk);
    });
    EXPECT_TRUE(state.cameraClocks.byBody.empty());
    EXPECT_EQ(order(), (std::vector<std::string>{"camera.jpg", "phone-1.jpg", "phone-2.jpg"}));
    EXPECT_EQ(rememberedFile(), "");
}

TEST_F(MainWindowCameraClocks, AWrongZoneOrCorrectionIsRefusedAndNothingChanges) {
    clocksWindow([&](Window& w) {
        selectCamera(w, "Canon EOS 40D");
        const std::vector<std::string> before = w.control(W::kCameras).items;
        set(w, "Mars/Olympus", "+0:00:00");
        set(w, "+09:00", "+1:61");
        EXPECT_EQ(host.messageTexts(),
                  (std::vector<std::string>{
                      "Not a time zone: Mars/Olympus. Type +HH:MM, -HH:MM or a zone name such as Europe/Berlin.",
                      "Not a correction: +1:61. Type +H:MM:SS or -H:MM:SS."}));
        EXPECT_EQ(w.control(W::kCameras).items, before);
        EXPECT_FALSE(w.hasEnded());
        w.onCommand(W::kOk);
    });
    EXPECT_TRUE(state.cameraClocks.byBody.empty());
    EXPECT_EQ(order(), (std::vector<std::string>{"camera.jpg", "phone-1.jpg", "phone-2.jpg"}));
}

TEST_F(MainWindowCameraClocks, CancelLeavesClocksTimelineAndFileAsTheyWere) {
    clocksWindow([&](Window& w) {
        selectCamera(w, "Canon EOS 40D");
        set(w, "America/New_York", "+0:05:00");
        w.control(W::kOneTimeline).checked = false;
        w.onCommand(W::kOneTimeline);
        w.onCommand(W::kCancel);
    });
    EXPECT_TRUE(state.cameraClocks.byBody.empty());
    EXPECT_TRUE(state.oneTimeline);
    EXPECT_EQ(order(), (std::vector<std::string>{"camera.jpg", "phone-1.jpg", "phone-2.jpg"}));
    EXPECT_FALSE(std::filesystem::exists(state.settingsFolder + "/" + kCameraClocksFileName));
}

// The user knows the camera's shot and the phone's first were taken at once.
TEST_F(MainWindowCameraClocks, SameMomentCorrectsTheClockSoBothShotsMeet) {
    clocksWindow([&](Window& w) {
        selectCamera(w, "Canon EOS 40D");
        // A correction already set counts too.
        set(w, "local", "+0:10:00");
        host.onModal("CSameMomentDlg", [](Window& moment) {
            EXPECT_EQ(moment.control(CSameMomentDlg::kMine).items.size(), 1u);
            moment.control(CSameMomentDlg::kMine).selection = 0;
            moment.control(CSameMomentDlg::kOthers).selection =
                rowWith(moment, CSameMomentDlg::kOthers, 0, "phone-1.jpg");
            moment.onCommand(CSameMomentDlg::kOk);
        });
        w.onCommand(W::kSameMoment);
        EXPECT_NE(cameraColumn(w, "Correction"), "+0:10:00");
        EXPECT_EQ(w.control(W::kCorrection).text, cameraColumn(w, "Correction"));
        w.onCommand(W::kOk);
    });
    EXPECT_EQ(picture("camera.jpg").createTime, picture("phone-1.jpg").createTime);
    EXPECT_EQ(picture("camera.jpg").block->spot.localTime, picture("phone-1.jpg").block->spot.localTime);
}

TEST_F(MainWindowCameraClocks, RememberedClocksAreOfferedAfterAScanButNotWhenASessionLoads) {
    Album album;
    album.name = "Kyoto";
    album.id = 1;
    album.isNew = 0;
    state.albums.push_back(album);
    const std::string sessionPath = (startFolder.path() / "trip.fls").string();
    host.saveFileAnswer(sessionPath);
    window->onCommand(kMenuSaveSession);
    ASSERT_TRUE(std::filesystem::exists(sessionPath));
    ASSERT_TRUE(rememberClocks(fileSystem, state.settingsFolder, {{canon, *parseClockZone("America/New_York")}}, host));

    // The session's own clocks (none) hold.
    host.openFileAnswer(sessionPath);
    window->onCommand(kMenuLoadSession);
    const std::string question = "Camera clocks were set before for: Canon EOS 40D (America/New_York). Use them again?";
    const std::vector<std::string> afterLoad = host.messageTexts();
    EXPECT_EQ(std::count(afterLoad.begin(), afterLoad.end(), question), 0);
    EXPECT_TRUE(state.cameraClocks.byBody.empty());

    scan();  // Yes, the first button
    const auto asked = std::find_if(host.messages.begin(), host.messages.end(),
                                    [&](const MessageRequest& m) { return m.text == question; });
    ASSERT_NE(asked, host.messages.end());
    EXPECT_EQ(asked->caption, "Dezoredu");
    EXPECT_EQ(asked->buttons, Buttons::YesNo);
    ASSERT_EQ(state.cameraClocks.byBody.size(), 1u);
    EXPECT_EQ(state.cameraClocks.byBody[0].first, canon);
    EXPECT_EQ(order(), (std::vector<std::string>{"phone-1.jpg", "camera.jpg", "phone-2.jpg"}));
}

// The file of remembered clocks, on its own.
class RememberedClocksFile : public ::testing::Test {
protected:
    std::string path() const { return folder.str() + "/" + kCameraClocksFileName; }
    void write(const std::string& bytes) const { std::ofstream(path(), std::ios::binary) << bytes; }

    test::TempDir folder;
    FileSystem fileSystem;
    test::ScriptedHost host;
};

TEST_F(RememberedClocksFile, BodiesComeBackWithNamesThatCannotBreakTheirLine) {
    CameraClock berlin = *parseClockZone("Europe/Berlin");
    berlin.correctionSeconds = -95;
    const CameraBody tabbed{"Odd\tMake", "Model\r\nX", "SN\t1"};
    const CameraBody plain{"Canon", "Canon EOS 80D", ""};
    ASSERT_TRUE(rememberClocks(fileSystem, folder.str(), {{tabbed, berlin}, {plain, *parseClockZone("+09:00")}}, host));
    BodyClocks back = loadRememberedClocks(fileSystem, folder.str());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].first, (CameraBody{"OddMake", "ModelX", "SN1"}));
    EXPECT_EQ(back[0].first, storedBody(tabbed));
    EXPECT_EQ(back[0].second.zoneName, "Europe/Berlin");
    EXPECT_EQ(back[0].second.correctionSeconds, -95);
    EXPECT_EQ(back[1].first, plain);
    EXPECT_EQ(back[1].second.offsetSeconds, 9 * 3600);

    // A body set back to the local time goes; the other stays.
    ASSERT_TRUE(rememberClocks(fileSystem, folder.str(), {{tabbed, CameraClock{}}}, host));
    back = loadRememberedClocks(fileSystem, folder.str());
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].first, plain);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RememberedClocksFile, ADamagedOrHostileFileGivesOnlyItsSoundLines) {
    write("too\tfew\n"
          "Canon\tEOS\t1\tMars/Olympus\t+0:00:00\n"
          "Canon\tEOS\t2\t+09:00\t+1:61\n"
          "Canon\tEOS\t3\t+09:00\t+0:00:00\textra\n"
          "Canon\tEOS\t4\t+25:00\t+0:00:00\n"
          "\n"
          "Canon\tEOS\t5\tEurope/Berlin\t-0:00:30\r\n");
    BodyClocks read = loadRememberedClocks(fileSystem, folder.str());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].first.serial, "5");
    EXPECT_EQ(read[0].second.correctionSeconds, -30);

    // Past 1,000 lines nothing more is read.
    std::string many;
    for (int i = 0; i < 1500; ++i) {
        many += "M\tX\t" + std::to_string(i) + "\t+01:00\t+0:00:00\n";
    }
    write(many);
    read = loadRememberedClocks(fileSystem, folder.str());
    ASSERT_EQ(read.size(), kCameraClocksMaxLines);
    EXPECT_EQ(read.back().first.serial, "999");

    // A line cut at 64 KiB is not taken for a whole one ("+1:02" would read
    // as a correction), nor is anything after it read.
    const std::string line = "M\tX\tcut\t+01:00\t+1:02:03\n";
    const std::size_t cutAfter = std::string("M\tX\tcut\t+01:00\t+1:02").size();
    std::string big = "M\tX\tfirst\t+01:00\t+0:00:00\n";
    big += std::string(kCameraClocksMaxBytes - cutAfter - big.size() - 1, 'x') + "\n";
    ASSERT_EQ(big.size() + cutAfter, kCameraClocksMaxBytes);
    big += line + std::string(8 << 20, 'y') + "\n" + "M\tX\tlast\t+01:00\t+0:00:00\n";
    write(big);
    read = loadRememberedClocks(fileSystem, folder.str());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].first.serial, "first");
}

}  // namespace
}  // namespace dz

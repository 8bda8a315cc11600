#include "MainWindowFixture.h"
#include "MediaFiles.h"

#include "TinyJpeg.h"
#include "albums/FilmLabel.h"
#include "app/CatalogueOnTimeline.h"
#include "app/SessionExtras.h"
#include "app/SessionFile.h"
#include "platform/FaultyFileSystem.h"
#include "platform/SystemError.h"
#include "catalogue/PictureTimeStamp.h"
#include "timeline/CameraClock.h"

#include <bit>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <map>

namespace dz {
namespace {

using namespace mainwin;
using test::MainWindowFixture;
using test::TempDir;
using test::tinyExifJpeg;

constexpr const char* kModified = "Source directory was modified. Session could not be loaded!";
constexpr const char* kDamaged = "Session file is damaged. Session could not be loaded!";
constexpr const char* kLoseAlbums = "Albums will be lost. Continue to load session?";

// The scripted host with the file dialogs' requests kept for assertions.
class DialogRecorder final : public Host {
public:
    explicit DialogRecorder(test::ScriptedHost& inner) : inner_(inner) {}

    Answer messageBox(const MessageRequest& r) override { return inner_.messageBox(r); }
    std::optional<std::string> browseFolder(const std::string& t) override { return inner_.browseFolder(t); }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        openRequests.push_back(r);
        return inner_.openFile(r);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override {
        saveRequests.push_back(r);
        return inner_.saveFile(r);
    }
    int runModal(Window& w) override { return inner_.runModal(w); }
    void showModeless(Window& w) override { inner_.showModeless(w); }
    void closeModeless(Window& w) override { inner_.closeModeless(w); }
    void pumpMessages() override { inner_.pumpMessages(); }
    void openHelp(const std::string& f, int topic) override { inner_.openHelp(f, topic); }
    void closeHelp() override { inner_.closeHelp(); }
    bool openWebAddress(const std::string& a) override { return inner_.openWebAddress(a); }
    void applySkin(bool enabled) override { inner_.applySkin(enabled); }

    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;

private:
    test::ScriptedHost& inner_;
};

// Little-endian fields for session files made by hand.
class FileBytes {
public:
    FileBytes& raw(const std::string& bytes) {
        text_ += bytes;
        return *this;
    }
    FileBytes& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            text_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    FileBytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    FileBytes& u64(std::uint64_t v) { return u32(static_cast<std::uint32_t>(v)).u32(static_cast<std::uint32_t>(v >> 32)); }
    FileBytes& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    FileBytes& f64(double v) { return u64(std::bit_cast<std::uint64_t>(v)); }
    FileBytes& str(const std::string& s) { return i32(static_cast<std::int32_t>(s.size())).raw(s); }

    const std::string& bytes() const { return text_; }

private:
    std::string text_;
};

// What a picture carries through a session, by path.
struct Work {
    std::int32_t albumId;
    std::int32_t isNegative;
    std::string customName;
    bool hasCustomName;
    double signatureEnd;
    std::int32_t filmImageIndex;
};

// A scanned source of four pictures, one a day.
class MainWindowSession : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        for (int i = 0; i < 4; ++i) {
            writePicture(i, "2006:05:1" + std::to_string(i) + " 10:00:00");
        }
        start();
        scan();
        sessionPath = (startFolder.path() / "work.fls").string();
    }

    void writePicture(int i, const std::string& date) {
        source.write("p" + std::to_string(i) + ".jpg", tinyExifJpeg(date));
    }
    void scan() {
        host.browseTo(source.str());
        window->onCommand(kSelectSourceButton);
    }
    void save() {
        host.saveFileAnswer(sessionPath);
        window->onCommand(kMenuSaveSession);
    }
    // With albums present the question is answered by its first button, OK.
    void load() {
        host.openFileAnswer(sessionPath);
        window->onCommand(kMenuLoadSession);
    }
    std::vector<PictureRecord>& catalogue() { return state.dirReader->catalogue(); }

    Album& addAlbum(const std::string& name) {
        Album a;
        a.name = name;
        a.id = state.albums.empty() ? 1 : state.albums.back().id + 1;
        a.isNew = 0;
        state.albums.push_back(a);
        return state.albums.back();
    }

    std::map<std::string, Work> workByPath(const std::vector<PictureRecord>& pictures) {
        std::map<std::string, Work> work;
        for (const PictureRecord& p : pictures) {
            work[p.path] = Work{p.albumId,          p.isNegative,           p.block->customName,
                                p.block->hasCustomName, p.block->signature[15], p.block->filmImageIndex};
        }
        return work;
    }

    std::string fileBytes() {
        std::ifstream in(sessionPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void writeFile(const std::string& bytes) {
        std::ofstream out(sessionPath, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::string sessionPath;
};

// Every field of an album set to a value of its own.
Album everyFieldSet(std::int32_t id) {
    Album a;
    a.dirName = "2006\\Trip";
    a.name = "Trip " + std::to_string(id);
    a.createSubDir = 0;
    a.keepOriginalName = 1;
    a.addDate = 0;
    a.addTime = 0;
    a.addCameraModel = 1;
    a.splitByDays = 1;
    a.id = id;
    a.pictureCount = 2;
    a.isNew = 0;
    a.setStart(0x01C6740000000000ull + id);
    a.setEnd(0x01C6750000000000ull + id);
    a.isProcessed = 1;
    a.sizeMB = 1.5f;
    FilterCriteria& f = a.filter;
    f.enabled = 1;
    f.camera = "Canon";
    f.model = "Canon EOS 40D";
    f.widthMax = 3888;
    f.widthMin = 640;
    f.resolutionMax = 300.5f;
    f.resolutionMin = 72.25f;
    f.flashChoice = 1;
    f.focalLengthMax = 55.5f;
    f.focalLengthMin = 18.25f;
    f.exposureTimeMax = 0.5f;
    f.exposureTimeMin = 0.00390625f;
    f.apertureMax = 2.75f;
    f.apertureMin = 22.5f;
    f.isoMax = 1600;
    f.isoMin = 100;
    f.focusDistanceMax = 10.5f;
    f.focusDistanceMin = 0.75f;
    f.whitebalanceChoice = 2;
    f.meteringChoice = 5;
    f.programChoice = 3;
    f.exposureBiasMax = 1.25f;
    f.exposureBiasMin = -2.5f;
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        f.use[i] = static_cast<std::int32_t>(i % 2 == 0 ? 1 : 0);
    }
    f.liveUpdate = 0;
    return a;
}

void expectSameAlbum(const Album& a, const Album& b) {
    EXPECT_EQ(a.dirName, b.dirName);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.createSubDir, b.createSubDir);
    EXPECT_EQ(a.keepOriginalName, b.keepOriginalName);
    EXPECT_EQ(a.addDate, b.addDate);
    EXPECT_EQ(a.addTime, b.addTime);
    EXPECT_EQ(a.addCameraModel, b.addCameraModel);
    EXPECT_EQ(a.splitByDays, b.splitByDays);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.pictureCount, b.pictureCount);
    EXPECT_EQ(a.isNew, b.isNew);
    EXPECT_EQ(a.startTime, b.startTime);
    EXPECT_EQ(a.endTime, b.endTime);
    EXPECT_EQ(a.startKey, b.startKey);
    EXPECT_EQ(a.endKey, b.endKey);
    EXPECT_EQ(a.filter, b.filter);
    EXPECT_EQ(a.isProcessed, b.isProcessed);
    EXPECT_EQ(a.sizeMB, b.sizeMB);
}

TEST_F(MainWindowSession, SavedWorkComesBackFromTheUnchangedFolder) {
    state.settings.dateFormatIndex = 3;
    state.settings.timeFormatIndex = 2;
    state.settings.excludeDuplicates = 1;
    state.settings.moveFiles = 1;
    TempDir target;
    state.texts.targetFolder = target.str();
    state.albums.push_back(everyFieldSet(1));
    state.albums.push_back(everyFieldSet(2));
    state.albums[1].splitByDays = 0;
    state.albums[1].filter = FilterCriteria{};
    auto& pictures = catalogue();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        PictureRecord& p = pictures[i];
        p.albumId = static_cast<std::int32_t>(i % 3);
        p.isNegative = i == 2 ? 1 : 0;
        p.block->signature[15] = 0.5 + static_cast<double>(i);
        p.block->filmImageIndex = static_cast<std::int32_t>(10 - i);
    }
    pictures[1].block->customName = "Beach at dawn";
    pictures[1].block->hasCustomName = true;
    // One picture found twice and taken out, as the duplicate search does it.
    pictures[0].isDuplicate = 1;
    pictures[3].isDuplicate = 1;
    pictures[3].isExcluded = 1;
    state.removedPictures.push_back(pictures[3]);
    state.removedBytes += static_cast<std::int64_t>(pictures[3].size);
    pictures.erase(pictures.begin() + 3);
    state.duplicatesFound = 2;
    window->refreshAlbumList();

    const auto kept = workByPath(catalogue());
    const auto removed = workByPath(state.removedPictures);
    const std::int64_t removedBytes = state.removedBytes;
    const AlbumList albums = state.albums;
    save();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(catalogue().size(), 3u);
    EXPECT_EQ(state.removedPictures.size(), 1u);

    // Everything is changed before the load puts it back.
    state.settings = Settings{};
    host.messages.clear();
    load();
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{kLoseAlbums});

    EXPECT_EQ(state.settings.dateFormatIndex, 3);
    EXPECT_EQ(state.settings.timeFormatIndex, 2);
    EXPECT_EQ(state.settings.excludeDuplicates, 1);
    EXPECT_EQ(state.settings.moveFiles, 1);
    EXPECT_EQ(control(kSourceFolder).text, source.str());
    EXPECT_EQ(control(kTargetFolder).text, target.str());
    EXPECT_EQ(state.processTargetPath, target.str());
    ASSERT_EQ(state.albums.size(), 2u);
    expectSameAlbum(state.albums[0], albums[0]);
    expectSameAlbum(state.albums[1], albums[1]);
    EXPECT_EQ(control(kAlbumsList).items, (std::vector<std::string>{"1. Trip 1", "2. Trip 2"}));

    EXPECT_EQ(workByPath(catalogue()).size(), 3u);
    for (const auto& [path, work] : kept) {
        const auto loaded = workByPath(catalogue());
        ASSERT_EQ(loaded.count(path), 1u) << path;
        const Work& w = loaded.at(path);
        EXPECT_EQ(w.albumId, work.albumId) << path;
        EXPECT_EQ(w.isNegative, work.isNegative) << path;
        EXPECT_EQ(w.customName, work.customName) << path;
        EXPECT_EQ(w.hasCustomName, work.hasCustomName) << path;
        EXPECT_EQ(w.signatureEnd, work.signatureEnd) << path;
        EXPECT_EQ(w.filmImageIndex, work.filmImageIndex) << path;
    }
    ASSERT_EQ(state.removedPictures.size(), 1u);
    EXPECT_EQ(state.removedPictures[0].path, removed.begin()->first);
    EXPECT_EQ(state.removedPictures[0].isExcluded, 1);
    EXPECT_EQ(state.removedPictures[0].isDuplicate, 1);
    EXPECT_EQ(state.removedPictures[0].block->signature[15], removed.begin()->second.signatureEnd);
    for (const PictureRecord& p : catalogue()) {
        EXPECT_EQ(p.isExcluded, 0);
    }
    EXPECT_EQ(state.duplicatesFound, 2);
    EXPECT_EQ(state.scannedCount, 4);
    EXPECT_EQ(state.removedBytes, removedBytes);
    EXPECT_EQ(control(kStatus).text, "Found 3 .JPG Files with exif information. Duplicates 2. Removed 1");
    // The skin is put back after saving and after loading.
    EXPECT_EQ(host.skinApplied.size(), 3u);
}


// A file made field by field here, as another writer would make it: one
// album whose every field holds a number of its own, so that a field read
// out of place shows.
std::string handMadeSession(bool withSplitByDays, const std::string& source, double fingerprint) {
    FileBytes f;
    f.raw(withSplitByDays ? std::string("1.1\0", 4) : std::string("1.0\0", 4));
    f.i32(2).i32(3).i32(1).i32(1);
    f.str(source).str("Not Selected. Please select one first.");
    f.i32(1);
    f.i32(1).i32(0).i32(1);  // camera model, date, time
    if (withSplitByDays) {
        f.i32(1);
    }
    // Use flags: aperture, focus distance, resolution, exposure bias,
    // program, exposure time, focal length, flash, ISO, metering, white
    // balance, width.
    for (std::int32_t flag : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112}) {
        f.i32(flag);
    }
    f.str("NIKON").i32(0).str("\\");
    f.u64(0x0000000200000020ull);          // endKey
    f.i32(4);                              // programChoice
    f.u32(0x22).u32(0x2);                  // endTime, low then high
    f.u32(0x23).u32(0x1);                  // startTime
    f.i32(9).i32(0).i32(1).i32(0).i32(1);  // id, flash, enabled, live update, keep name
    f.f32(2.5f).f32(300.0f).f32(10.0f).f32(0.5f).f32(1.5f).f32(70.0f);
    f.i32(800).i32(4000);
    f.f32(8.0f).f32(72.0f).f32(1.0f).f32(0.125f).f32(-1.5f).f32(18.0f);
    f.i32(100).i32(640);
    f.i32(5).str("D70").i32(3).str("Holiday").i32(0).i32(0).f32(0.75f);
    f.u64(0x0000000100000021ull);  // startKey
    f.i32(2);                      // white balance
    f.i32(0).i32(4).f32(0.0f).i32(4).f64(fingerprint);
    for (int i = 0; i < 4; ++i) {
        f.i32(0).i32(0).i32(i == 3 ? 0 : 9).i32(i == 1 ? 1 : 0);
        f.raw(i == 2 ? std::string("\1\0\1\0", 4) : std::string("\0\0\1\0", 4));
        for (int k = 0; k < 16; ++k) {
            f.f64(k == 0 ? i + 0.5 : 0.0);
        }
        f.i32(i);
        std::string label = i == 2 ? "Summit" : "";
        label.resize(128, '\0');
        f.raw(label);
    }
    return f.bytes();
}

class HandMadeSession : public MainWindowSession, public ::testing::WithParamInterface<bool> {};

TEST_P(HandMadeSession, LoadsIntoEveryField) {
    const bool withSplitByDays = GetParam();
    double fingerprint = 0;
    for (const PictureRecord& p : catalogue()) {
        fingerprint += static_cast<std::int32_t>(static_cast<std::uint32_t>(p.size)) / 1048576.0;
    }
    writeFile(handMadeSession(withSplitByDays, source.str(), fingerprint));
    load();
    EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;

    EXPECT_EQ(state.settings.dateFormatIndex, 2);
    EXPECT_EQ(state.settings.timeFormatIndex, 3);
    EXPECT_EQ(state.settings.excludeDuplicates, 1);
    EXPECT_EQ(state.settings.moveFiles, 1);
    EXPECT_EQ(control(kTargetFolder).text, kNotSelected);
    ASSERT_EQ(state.albums.size(), 1u);
    const Album& a = state.albums[0];
    const FilterCriteria& c = a.filter;
    EXPECT_EQ(a.addCameraModel, 1);
    EXPECT_EQ(a.addDate, 0);
    EXPECT_EQ(a.addTime, 1);
    EXPECT_EQ(a.splitByDays, withSplitByDays ? 1 : 0);
    EXPECT_EQ(c.useFlag(Criterion::Aperture), 101);
    EXPECT_EQ(c.useFlag(Criterion::FocusDistance), 102);
    EXPECT_EQ(c.useFlag(Criterion::Resolution), 103);
    EXPECT_EQ(c.useFlag(Criterion::ExposureBias), 104);
    EXPECT_EQ(c.useFlag(Criterion::Program), 105);
    EXPECT_EQ(c.useFlag(Criterion::ExposureTime), 106);
    EXPECT_EQ(c.useFlag(Criterion::FocalLength), 107);
    EXPECT_EQ(c.useFlag(Criterion::Flash), 108);
    EXPECT_EQ(c.useFlag(Criterion::Iso), 109);
    EXPECT_EQ(c.useFlag(Criterion::Metering), 110);
    EXPECT_EQ(c.useFlag(Criterion::Whitebalance), 111);
    EXPECT_EQ(c.useFlag(Criterion::Width), 112);
    EXPECT_EQ(c.camera, "NIKON");
    EXPECT_EQ(a.createSubDir, 0);
    EXPECT_EQ(a.dirName, "\\");
    EXPECT_EQ(a.endKey, 0x0000000200000020ull);
    EXPECT_EQ(c.programChoice, 4);
    EXPECT_EQ(a.endTime, 0x0000000200000022ull);
    EXPECT_EQ(a.startTime, 0x0000000100000023ull);
    EXPECT_EQ(a.id, 9);
    EXPECT_EQ(c.flashChoice, 0);
    EXPECT_EQ(c.enabled, 1);
    EXPECT_EQ(c.liveUpdate, 0);
    EXPECT_EQ(a.keepOriginalName, 1);
    EXPECT_EQ(c.apertureMax, 2.5f);
    EXPECT_EQ(c.resolutionMax, 300.0f);
    EXPECT_EQ(c.focusDistanceMax, 10.0f);
    EXPECT_EQ(c.exposureTimeMax, 0.5f);
    EXPECT_EQ(c.exposureBiasMax, 1.5f);
    EXPECT_EQ(c.focalLengthMax, 70.0f);
    EXPECT_EQ(c.isoMax, 800);
    EXPECT_EQ(c.widthMax, 4000);
    EXPECT_EQ(c.apertureMin, 8.0f);
    EXPECT_EQ(c.resolutionMin, 72.0f);
    EXPECT_EQ(c.focusDistanceMin, 1.0f);
    EXPECT_EQ(c.exposureTimeMin, 0.125f);
    EXPECT_EQ(c.exposureBiasMin, -1.5f);
    EXPECT_EQ(c.focalLengthMin, 18.0f);
    EXPECT_EQ(c.isoMin, 100);
    EXPECT_EQ(c.widthMin, 640);
    EXPECT_EQ(c.meteringChoice, 5);
    EXPECT_EQ(c.model, "D70");
    EXPECT_EQ(a.pictureCount, 3);
    EXPECT_EQ(a.name, "Holiday");
    EXPECT_EQ(a.isNew, 0);
    EXPECT_EQ(a.isProcessed, 0);
    EXPECT_EQ(a.sizeMB, 0.75f);
    EXPECT_EQ(a.startKey, 0x0000000100000021ull);
    EXPECT_EQ(c.whitebalanceChoice, 2);

    // The records went to the pictures in date order: p0 to p3.
    ASSERT_EQ(catalogue().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const PictureRecord& p = catalogue()[static_cast<std::size_t>(i)];
        EXPECT_EQ(p.path, source.str() + "/p" + std::to_string(i) + ".jpg");
        EXPECT_EQ(p.albumId, i == 3 ? 0 : 9);
        EXPECT_EQ(p.isNegative, i == 1 ? 1 : 0);
        EXPECT_EQ(p.block->signature[0], i + 0.5);
        EXPECT_EQ(p.block->filmImageIndex, i);
        EXPECT_EQ(p.block->hasCustomName, i == 2);
        EXPECT_EQ(p.block->customName, i == 2 ? "Summit" : "");
    }
    EXPECT_TRUE(state.removedPictures.empty());
    EXPECT_EQ(control(kAlbumsList).items, std::vector<std::string>{"1. Holiday"});
    // No duplicates were found: the scan's status line stands.
    EXPECT_EQ(control(kStatus).text, "Found 4 .JPG pictures that have exif information.");
}

INSTANTIATE_TEST_SUITE_P(Versions, HandMadeSession, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Version11" : "Version10"; });

TEST_F(MainWindowSession, AddedOrRemovedPictureRefusesTheSession) {
    addAlbum("Spring");
    catalogue()[0].albumId = 1;
    window->refreshAlbumList();
    save();

    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            writePicture(7, "2006:06:01 10:00:00");
        } else {
            std::filesystem::remove(source.path() / "p7.jpg");
            std::filesystem::remove(source.path() / "p2.jpg");
        }
        addAlbum("Other");
        host.messages.clear();
        load();
        ASSERT_EQ(host.messages.size(), 2u) << round;
        EXPECT_EQ(host.messages[1].text, kModified);
        EXPECT_EQ(host.messages[1].caption, "Warning");
        EXPECT_EQ(host.messages[1].icon, Icon::Exclamation);
        EXPECT_TRUE(state.albums.empty());
        EXPECT_TRUE(catalogue().empty());
        EXPECT_TRUE(state.dirReader->folders().empty());
        EXPECT_TRUE(control(kAlbumsList).items.empty());
        EXPECT_EQ(control(kAlbumSummary).text, "Albums created: None");
        EXPECT_FALSE(control(kMenuSaveSession).enabled);
        EXPECT_FALSE(control(kMenuStartPositive).enabled);
        EXPECT_EQ(control(kSourceFolder).text, source.str());
    }
}

TEST_F(MainWindowSession, EmptyTextsAndAMissingTargetComeBackAsTheyWere) {
    Album& a = addAlbum("");
    a.filter.camera.clear();
    a.setStart(1);
    a.setEnd(2);
    state.processTargetPath = "/earlier/target";
    window->refreshAlbumList();
    ASSERT_EQ(control(kTargetFolder).text, kNotSelected);
    save();
    load();
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(state.albums[0].name, "");
    EXPECT_EQ(state.albums[0].dirName, "");
    EXPECT_EQ(state.albums[0].filter.camera, "");
    EXPECT_EQ(state.albums[0].filter.model, "");
    EXPECT_EQ(control(kAlbumsList).items, std::vector<std::string>{"1. "});
    EXPECT_EQ(control(kTargetFolder).text, kNotSelected);
    EXPECT_EQ(state.processTargetPath, "/earlier/target");

    host.messages.clear();
    host.answer(Answer::No);
    window->onCommand(kProcess);
    EXPECT_EQ(host.messageTexts(),
              std::vector<std::string>{"Target directory not selected. Do you want to select it now?"});
}

TEST_F(MainWindowSession, PicturesOfTheSameSecondKeepTheirOwnLabels) {
    for (int i = 4; i < 8; ++i) {
        writePicture(i, "2006:07:01 12:00:00");
    }
    scan();
    for (PictureRecord& p : catalogue()) {
        p.block->customName = "label of " + p.path;
        p.block->hasCustomName = true;
    }
    // The film's view options can leave the catalogue in name order, descending.
    std::reverse(catalogue().begin(), catalogue().end());
    addAlbum("Summer");
    window->refreshAlbumList();
    save();
    load();
    ASSERT_EQ(catalogue().size(), 8u);
    for (const PictureRecord& p : catalogue()) {
        EXPECT_EQ(p.block->customName, "label of " + p.path);
    }
}

// A session saved before a copied file's date became its older modification
// time (its birth time is the copy's) is paired in the order of that time.
TEST_F(MainWindowSession, AnOlderSessionPairsItsPicturesUnderTheRulesItWasSavedUnder) {
    writePicture(4, "0000:00:00 00:00:00");
    const std::filesystem::path undated = source.path() / "p4.jpg";
    std::filesystem::last_write_time(undated, std::filesystem::last_write_time(undated) - std::chrono::hours(24 * 365 * 30));
    scan();
    ASSERT_EQ(catalogue().size(), 5u);
    const auto byPath = [&](const std::string& path) {
        return *std::find_if(catalogue().begin(), catalogue().end(),
                             [&](const PictureRecord& p) { return p.path == path; });
    };
    ASSERT_LT(byPath(undated.string()).writeTime, byPath((source.path() / "p0.jpg").string()).writeTime)
        << "dated by its modification time, first";
    for (PictureRecord& p : catalogue()) {
        p.block->customName = "label of " + p.path;
        p.block->hasCustomName = true;
    }
    addAlbum("Summer");
    window->refreshAlbumList();
    save();
    // As the earlier program wrote it: the undated picture last (its birth
    // time is now), no block after the records.
    std::string bytes = fileBytes();
    SessionFile scratch;
    bytes.resize(readSessionExtras(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                                   scratch)
                     .value_or(0));
    const std::size_t firstPicture = bytes.size() - 5 * kSessionPictureBytes;
    const std::string undatedRecord = bytes.substr(firstPicture, kSessionPictureBytes);
    bytes.erase(firstPicture, kSessionPictureBytes);
    bytes += undatedRecord;
    writeFile(bytes);
    load();
    ASSERT_EQ(catalogue().size(), 5u);
    for (const PictureRecord& p : catalogue()) {
        EXPECT_EQ(p.block->customName, "label of " + p.path);
    }
    // Saved again, it keeps the rules its pictures are paired under.
    save();
    load();
    for (const PictureRecord& p : catalogue()) {
        EXPECT_EQ(p.block->customName, "label of " + p.path);
    }
}

// The main window again, now showing its file dialogs to a recorder.
class MainWindowSessionDialogs : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        writePicture(0, "2006:05:10 10:00:00");
        writePicture(1, "2006:05:11 10:00:00");
        window = std::make_unique<CVazedazDlg>(recorder, state);
        window->onInit();
        scan();
        sessionPath = (startFolder.path() / "work.fls").string();
    }

    DialogRecorder recorder{host};
};

TEST_F(MainWindowSessionDialogs, CancelledSaveWritesNothing) {
    addAlbum("Spring");
    window->refreshAlbumList();
    host.saveFileAnswer(std::nullopt);
    const std::size_t skins = host.skinApplied.size();
    window->onCommand(kMenuSaveSession);
    ASSERT_EQ(recorder.saveRequests.size(), 1u);
    EXPECT_EQ(recorder.saveRequests[0].title, "Save as");
    EXPECT_EQ(recorder.saveRequests[0].filter, "Dezoredu session (*.fls)");
    EXPECT_EQ(recorder.saveRequests[0].defaultSuffix, "fls");
    EXPECT_EQ(recorder.saveRequests[0].initialFolder, startFolder.str());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "File not saved!");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Information);
    EXPECT_EQ(host.skinApplied.size(), skins);
    EXPECT_FALSE(std::filesystem::exists(sessionPath));
}

TEST_F(MainWindowSessionDialogs, CancelledLoadSpeaksOnlyWhenItAskedFirst) {
    host.openFileAnswer(std::nullopt);
    window->onCommand(kMenuLoadSession);
    ASSERT_EQ(recorder.openRequests.size(), 1u);
    EXPECT_EQ(recorder.openRequests[0].title, "Load Session");
    EXPECT_EQ(recorder.openRequests[0].filter, "Dezoredu session (*.fls)");
    EXPECT_EQ(recorder.openRequests[0].defaultSuffix, "fls");
    EXPECT_EQ(recorder.openRequests[0].initialFolder, startFolder.str());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(catalogue().size(), 2u);

    addAlbum("Spring");
    window->refreshAlbumList();
    host.answer(Answer::Ok);
    host.openFileAnswer(std::nullopt);
    window->onCommand(kMenuLoadSession);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, kLoseAlbums);
    EXPECT_EQ(host.messages[0].caption, "Warning");
    EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(host.messages[1].text, "File not loaded!");
    EXPECT_EQ(host.messages[1].caption, "Dezoredu");
    EXPECT_EQ(host.messages[1].icon, Icon::Information);
    // The question said the albums would go, and they went with the catalogue.
    EXPECT_TRUE(state.albums.empty());
    EXPECT_TRUE(catalogue().empty());
    EXPECT_EQ(control(kAlbumSummary).text, "Albums created: None");
}

TEST_F(MainWindowSessionDialogs, CancelOnTheQuestionKeepsEverything) {
    addAlbum("Spring");
    catalogue()[1].albumId = 1;
    window->refreshAlbumList();
    const std::size_t skins = host.skinApplied.size();
    host.answer(Answer::Cancel);
    window->onCommand(kMenuLoadSession);
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{kLoseAlbums});
    EXPECT_TRUE(recorder.openRequests.empty());
    EXPECT_EQ(state.albums.size(), 1u);
    ASSERT_EQ(catalogue().size(), 2u);
    EXPECT_EQ(catalogue()[1].albumId, 1);
    EXPECT_EQ(host.skinApplied.size(), skins + 1);
}

TEST_F(MainWindowSessionDialogs, FileThatCannotBeOpenedIsReported) {
    host.openFileAnswer((startFolder.path() / "missing.fls").string());
    window->onCommand(kMenuLoadSession);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "File could not be loaded!");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_EQ(catalogue().size(), 2u);
}

TEST_F(MainWindowSessionDialogs, SaveIntoAFolderIsReported) {
    addAlbum("Spring");
    host.saveFileAnswer(startFolder.makeDir("taken.fls").string());
    window->onCommand(kMenuSaveSession);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "File could not be saved!");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_TRUE(std::filesystem::is_directory(startFolder.path() / "taken.fls"));
}

TEST_F(MainWindowSession, FailedWriteIsReportedAndLeavesTheOldFile) {
    addAlbum("Spring");
    save();
    const std::string before = fileBytes();
    ASSERT_FALSE(before.empty());

    FaultyFileSystem faulty;
    faulty.failEvery(FaultyFileSystem::Kind::Write, syserr::kDiskFull);
    AppState faultyState{faulty};
    CVazedazDlg faultyWindow(host, faultyState);
    faultyWindow.onInit();
    host.browseTo(source.str());
    faultyWindow.onCommand(kSelectSourceButton);
    faultyState.albums.push_back(state.albums[0]);
    faultyState.albums[0].name = "Changed";
    host.messages.clear();
    host.saveFileAnswer(sessionPath);
    faultyWindow.onCommand(kMenuSaveSession);
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"File could not be saved!"});
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(MainWindowSession, DamagedFilesAreRefusedWithoutHarm) {
    addAlbum("Spring");
    catalogue()[2].block->customName = "kept";
    window->refreshAlbumList();
    save();
    const std::string saved = fileBytes();
    SessionFile scratch;
    const std::size_t recordsEnd =
        readSessionExtras(std::span(reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size()), scratch)
            .value_or(0);
    // The cases below cut and change the first layout, without the later block.
    const std::string good = saved.substr(0, recordsEnd);
    const std::size_t firstPicture = good.size() - 4 * kSessionPictureBytes;
    auto withWord = [&](std::size_t offset, std::uint32_t value) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return bytes;
    };
    const std::size_t sourceCount = 20;
    const std::size_t albumCount = sourceCount + 4 + source.str().size() + 4 + std::string(kNotSelected).size();
    std::string garbage(700, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((i * 7919u + 13u) & 0xFF);
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"version only", good.substr(0, 4)},
        {"cut in the source text", good.substr(0, sourceCount + 6)},
        {"cut in the album", good.substr(0, albumCount + 40)},
        {"cut in the counters", good.substr(0, firstPicture - 3)},
        {"cut in a picture record", good.substr(0, good.size() - 100)},
        {"negative text count", withWord(sourceCount, 0xFFFFFFF0u)},
        {"text count past the end", withWord(sourceCount, 0x7FFFFFFFu)},
        {"negative album count", withWord(albumCount, 0xFFFFFFFFu)},
        {"album count past the end", withWord(albumCount, 100000)},
        {"garbage", garbage},
    };
    for (const auto& [what, bytes] : cases) {
        writeFile(bytes);
        host.messages.clear();
        state.albums.clear();
        window->refreshAlbumList();
        load();
        ASSERT_EQ(host.messages.size(), 1u) << what;
        EXPECT_EQ(host.messages[0].text, kDamaged) << what;
        EXPECT_EQ(host.messages[0].caption, "Warning") << what;
        EXPECT_EQ(host.messages[0].icon, Icon::Exclamation) << what;
        // Nothing was applied: the catalogue of the last scan stands.
        EXPECT_EQ(catalogue().size(), 4u) << what;
        EXPECT_TRUE(state.albums.empty()) << what;
        EXPECT_EQ(control(kSourceFolder).text, source.str()) << what;
    }

    // One record short: the file parses, but its records cannot be paired.
    writeFile(good.substr(0, good.size() - kSessionPictureBytes));
    host.messages.clear();
    load();
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{kDamaged});
    EXPECT_TRUE(catalogue().empty());
    EXPECT_TRUE(state.albums.empty());
    EXPECT_TRUE(control(kAlbumsList).items.empty());

    // The good file still loads after all that.
    writeFile(good);
    host.messages.clear();
    load();
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(catalogue()[2].block->customName, "kept");
}

TEST_F(MainWindowSession, ClosingDuringTheLoadScanLeavesNoHalfSession) {
    addAlbum("Spring");
    catalogue()[0].albumId = 1;
    window->refreshAlbumList();
    save();
    host.messages.clear();
    // Close Dezoredu? Yes, while the load's scan is between two pictures.
    host.atPump(1, [&] { window->onCancel(); });
    load();
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{kLoseAlbums, "Close Dezoredu?"}));
    EXPECT_TRUE(window->hasEnded());
    EXPECT_TRUE(state.albums.empty());
    EXPECT_TRUE(catalogue().empty());
    EXPECT_FALSE(state.scanInProgress);
}

TEST_F(MainWindowSession, CommandsDuringTheLoadScanWait) {
    addAlbum("Spring");
    window->refreshAlbumList();
    save();
    host.messages.clear();
    host.atPump(1, [&] {
        window->onCommand(kMenuLoadSession);
        window->onCommand(kMenuSaveSession);
    });
    load();
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{kLoseAlbums, "Please wait until the entire folder is scanned.",
                                        "Please wait until the entire folder is scanned."}));
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(catalogue().size(), 4u);
}

// A phone on Kyoto time with its offset tags and a camera left on New York
// summer time (the tests' computer is in Central Europe): the session keeps the timeline, the camera's clock and a picture's
// own correction, and its pictures pair with their labels again.
class MainWindowTimelineSession : public MainWindowSession {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        start();
        sessionPath = (startFolder.path() / "trip.fls").string();
        const auto tag = [&](const std::string& name, const std::string& args) {
            const std::string path = source.write(name, test::readTestData("canon-40d.jpg")).string();
            ASSERT_TRUE(test::runExiftool(args, path));
        };
        const std::string kyoto = " -OffsetTimeOriginal=+09:00 -GPSLatitude=35.0116 -GPSLatitudeRef=N"
                                  " -GPSLongitude=135.7681 -GPSLongitudeRef=E";
        tag("phone-1.jpg", "-Model='Pixel 5' -DateTimeOriginal='2024:07:06 06:10:00'" + kyoto);
        tag("phone-2.jpg", "-Model='Pixel 5' -DateTimeOriginal='2024:07:06 07:05:00'" + kyoto);
        tag("camera.jpg", "-DateTimeOriginal='2024:07:05 17:30:00'");
        scan();
    }

    std::vector<std::string> order() {
        std::vector<std::string> names;
        for (const PictureRecord& p : catalogue()) {
            names.push_back(std::filesystem::path(p.path).filename().string());
        }
        return names;
    }
};

TEST_F(MainWindowTimelineSession, ClocksAndTheTimelineComeBackWithTheSession) {
    ASSERT_EQ(catalogue().size(), 3u);
    ASSERT_TRUE(state.oneTimeline);
    // The camera, read in the computer's zone, comes hours before the phone's morning.
    EXPECT_EQ(order(), (std::vector<std::string>{"camera.jpg", "phone-1.jpg", "phone-2.jpg"}));
    state.cameraClocks.byModel.push_back({"Canon EOS 40D", *parseClockZone("America/New_York")});
    state.pictureCorrections[(source.path() / "phone-2.jpg").string()] = -60;
    retimeCatalogue(state);
    EXPECT_EQ(order(), (std::vector<std::string>{"phone-1.jpg", "camera.jpg", "phone-2.jpg"}));
    for (PictureRecord& p : catalogue()) {
        p.block->customName = "label of " + p.path;
        p.block->hasCustomName = true;
    }
    Album& album = addAlbum("Kyoto");
    album.setStart(catalogue()[0].createTime);
    album.setEnd(catalogue()[1].createTime);
    save();

    state.cameraClocks = {};
    state.pictureCorrections.clear();
    state.oneTimeline = false;
    load();
    ASSERT_EQ(catalogue().size(), 3u);
    EXPECT_TRUE(state.oneTimeline);
    ASSERT_EQ(state.cameraClocks.byModel.size(), 1u);
    EXPECT_EQ(state.cameraClocks.byModel[0].second.zoneName, "America/New_York");
    EXPECT_EQ(state.pictureCorrections[(source.path() / "phone-2.jpg").string()], -60);
    EXPECT_EQ(order(), (std::vector<std::string>{"phone-1.jpg", "camera.jpg", "phone-2.jpg"}));
    for (const PictureRecord& p : catalogue()) {
        EXPECT_EQ(p.block->customName, "label of " + p.path);
        EXPECT_TRUE(p.block->spot.onTimeline);
    }
    // Local time at the place, with the offset that differs from the computer's.
    EXPECT_EQ(catalogue()[1].block->spot.offsetSeconds, 9 * 3600);
    const std::string label = filmLabel(2, catalogue()[1], 1, 1, state.dirReader->biasMinutes());
    EXPECT_NE(label.find("[2024-07-06] [06 30 00] +09:00"), std::string::npos) << label;

    // Off the timeline, the album's ends follow the pictures it holds.
    for (PictureRecord& p : catalogue()) {
        p.albumId = p.path.find("phone-2") == std::string::npos ? 1 : 0;
    }
    state.oneTimeline = false;
    retimeCatalogue(state);
    EXPECT_FALSE(catalogue()[0].block->spot.onTimeline);
    EXPECT_EQ(state.albums[0].startKey, static_cast<std::uint64_t>(pictureTimeStamp("2024:07:05 17:30:00", state.dirReader->biasMinutes())));
    EXPECT_EQ(state.albums[0].endKey, static_cast<std::uint64_t>(pictureTimeStamp("2024:07:06 06:10:00", state.dirReader->biasMinutes())));
}

TEST_F(MainWindowTimelineSession, ASessionOfTheFirstLayoutStaysOffTheTimeline) {
    ASSERT_TRUE(catalogue()[0].block->spot.onTimeline);
    save();
    std::string bytes = fileBytes();
    SessionFile scratch;
    bytes.resize(readSessionExtras(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                                   scratch)
                     .value_or(0));
    writeFile(bytes);
    load();
    EXPECT_FALSE(state.oneTimeline);
    ASSERT_EQ(catalogue().size(), 3u);
    for (const PictureRecord& p : catalogue()) {
        EXPECT_FALSE(p.block->spot.onTimeline) << p.path;
        EXPECT_EQ(p.createTime, pictureTimeStamp(p.exif().dateTime, state.dirReader->biasMinutes())) << p.path;
    }
}

}  // namespace
}  // namespace dz

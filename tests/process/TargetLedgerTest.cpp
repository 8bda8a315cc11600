// What a target holds, as its own journals tell it after real processing
// runs: found again under another name or in another folder, gone again
// after an undo, never taken from a journal changed by hand.
#include "ProcessFixture.h"

#include "journal/JournalFolder.h"
#include "journal/JournalGate.h"
#include "journal/JournalReplay.h"
#include "journal/TargetLedger.h"
#include "platform/FileHash.h"

#include <sys/stat.h>

namespace dz::test {
namespace {

namespace fs = std::filesystem;

class TargetLedgerTest : public ProcessFixture {
protected:
    // A camera's picture from the test data as a source file with its record.
    PictureRecord& addCameraPicture(const std::string& name, const std::string& dataFile, int albumId,
                                    int filmIndex) {
        const std::string bytes = readTestData(dataFile);
        const fs::path file = source.write(name, bytes);
        originals[file.string()] = bytes;
        PictureRecord picture;
        picture.path = file.string();
        picture.size = bytes.size();
        picture.albumId = albumId;
        picture.block = std::make_shared<PictureBlock>();
        picture.block->exif.dateTime = "2006:05:14 10:20:3" + std::to_string(filmIndex);
        picture.block->filmImageIndex = filmIndex;
        catalogue.push_back(picture);
        return catalogue.back();
    }

    // Two pictures in album 1, sorted into "2006" by a run that keeps its journal.
    void sortTwoPictures(bool move = false) {
        addCameraPicture("IMG_0001.JPG", "nikon-640x480-second-shot.jpg", 1, 0);
        addCameraPicture("IMG_0002.JPG", "nikon-640x480-third-shot.jpg", 1, 1);
        addAlbum(1, "A", "2006").createSubDir = 0;
        runWindow(move, false);
        ASSERT_EQ(albums[0].isProcessed, 1) << status();
    }

    void runWindow(bool move, bool leaveOutSorted) {
        window = std::make_unique<CProcess>(
            host, fs,
            ProcessJob{albums, catalogue, target.str(), move, NameFormats{1, 1, currentTimeZone().totalBiasMinutes()},
                       true, source.str(), data.str(), false, leaveOutSorted});
        window->onInit();
        window->onCommand(CProcess::kProcess);
    }

    TargetLedger ledger() {
        JournalTrust trust(data.str());
        EXPECT_EQ(trust.loadKey(false), 0);
        return TargetLedger::ofTarget(target.str(), trust);
    }

    // The place below the target of the picture whose bytes are `path`'s, or "new".
    static std::string placeOf(TargetLedger& ledger, const std::string& path) {
        std::string error;
        const LedgerEntry* entry = ledger.find(path, error);
        EXPECT_EQ(error, "") << path;
        return entry != nullptr ? entry->place : "new";
    }

    std::string journalPath() const {
        const std::vector<std::string> journals = journalsOf(target.str());
        EXPECT_EQ(journals.size(), 1u);
        return journals.empty() ? std::string() : journals.back();
    }

    TempDir data;   // the user's data folder: the key the journals are sealed with
    TempDir other;  // a folder of the user's outside source and target
};

TEST_F(TargetLedgerTest, ACopiedPictureIsFoundAgainRenamedOrCopiedElsewhere) {
    sortTwoPictures();
    TargetLedger sorted = ledger();
    ASSERT_EQ(sorted.entries().size(), 2u);
    EXPECT_TRUE(sorted.refusals().empty());
    EXPECT_EQ(sorted.entries()[0].sha256.size(), 64u);
    EXPECT_EQ(albumFolderOf(sorted.entries()[1]), "2006");

    fs::rename(catalogue[0].path, source.path() / "renamed.jpg");
    fs::copy_file(catalogue[1].path, other.path() / "copy.jpg");
    EXPECT_EQ(placeOf(sorted, (source.path() / "renamed.jpg").string()), sorted.entries()[0].place);
    EXPECT_EQ(placeOf(sorted, (other.path() / "copy.jpg").string()), sorted.entries()[1].place);

    // The same size with other bytes is another picture, whether the
    // difference is at an end or only in the middle.
    std::string bytes = originals[catalogue[1].path];
    for (const std::size_t at : {std::size_t{10}, bytes.size() / 2, bytes.size() - 1}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x5a);
        const fs::path path = other.write("changed-" + std::to_string(at) + ".jpg", changed);
        EXPECT_EQ(placeOf(sorted, path.string()), "new") << "byte " << at;
    }
    std::string error;
    EXPECT_EQ(sorted.find((other.path() / "missing.jpg").string(), error), nullptr);
    EXPECT_NE(error, "");
}

TEST_F(TargetLedgerTest, APictureDeletedFromTheTargetIsNotBroughtBack) {
    sortTwoPictures();
    TargetLedger sorted = ledger();
    ASSERT_EQ(sorted.entries().size(), 2u);
    const std::string place = sorted.entries()[0].place;
    fs::remove(target.path() / place);
    fs::copy_file(catalogue[0].path, other.path() / "copy.jpg");
    EXPECT_EQ(placeOf(sorted, (other.path() / "copy.jpg").string()), place);

    // A pipe in a picture's place, or given as a picture, is never waited on.
    const std::string secondPlace = sorted.entries()[1].place;
    fs::remove(target.path() / secondPlace);
    ASSERT_EQ(::mkfifo((target.path() / secondPlace).c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((other.path() / "pipe.jpg").c_str(), 0600), 0);
    fs::copy_file(catalogue[1].path, other.path() / "second.jpg");
    EXPECT_EQ(placeOf(sorted, (other.path() / "second.jpg").string()), secondPlace);
    std::string error;
    EXPECT_EQ(sorted.find((other.path() / "pipe.jpg").string(), error), nullptr);
    EXPECT_EQ(error, (other.path() / "pipe.jpg").string() + ": not a regular file");
}

TEST_F(TargetLedgerTest, AMovedPictureIsKnownByTheBytesAtItsPlace) {
    sortTwoPictures(true);
    TargetLedger moved = ledger();
    ASSERT_EQ(moved.entries().size(), 2u);
    // A rename reads no bytes: the journal has no hash, the placed file tells.
    EXPECT_EQ(moved.entries()[1].sha256, "");
    const std::string place = moved.entries()[1].place;
    fs::copy_file(target.path() / place, other.path() / "back.jpg");
    EXPECT_EQ(placeOf(moved, (other.path() / "back.jpg").string()), place);
}

TEST_F(TargetLedgerTest, AfterAnUndoThePicturesAreNewAgain) {
    sortTwoPictures();
    JournalTrust trust(data.str());
    ASSERT_EQ(trust.loadKey(false), 0);
    std::string refusal;
    std::optional<AdmittedRun> admitted = admitJournal(journalPath(), trust, refusal);
    ASSERT_TRUE(admitted) << refusal;
    RunJournal journal;
    ASSERT_EQ(journal.reopen(admitted->run, trust, "undo"), 0);
    const ReplayReport report = undoRun(*admitted, journal);
    ASSERT_EQ(report.done, 2);
    journal.close();

    TargetLedger undone = ledger();
    EXPECT_TRUE(undone.refusals().empty());
    EXPECT_TRUE(undone.entries().empty());
    EXPECT_EQ(placeOf(undone, catalogue[0].path), "new");
}

TEST_F(TargetLedgerTest, AJournalChangedByHandIsBelievedInNothing) {
    sortTwoPictures();
    const std::string path = journalPath();
    const std::string genuine = fileBytes(path);
    fs::copy_file(catalogue[0].path, other.path() / "copy.jpg");
    const std::string copy = (other.path() / "copy.jpg").string();
    TargetLedger believed = ledger();
    ASSERT_EQ(placeOf(believed, copy), believed.entries().at(0).place);

    // A hash changed to that of a picture never sorted; a step planted at the
    // end claiming one.
    const std::string stranger = (source.write("stranger.jpg", readTestData("pixel5-1008x756.jpg"))).string();
    std::string strangerHash;
    ASSERT_EQ(sha256OfFile(stranger, strangerHash), 0);
    const std::size_t at = genuine.find("\"sha256\":\"");
    ASSERT_NE(at, std::string::npos);
    std::string changed = genuine;
    changed.replace(at + 10, 64, strangerHash);
    const std::string planted =
        genuine + "{\"event\":\"finish\",\"step\":2,\"outcome\":\"copied\",\"sha256\":\"" + strangerHash + "\"}\n";
    for (const std::string& text : {changed, planted}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        TargetLedger forged = ledger();
        EXPECT_TRUE(forged.entries().empty()) << text.substr(text.size() > 400 ? text.size() - 400 : 0);
        ASSERT_EQ(forged.refusals().size(), 1u);
        EXPECT_EQ(forged.refusals()[0].rfind(path + ": ", 0), 0u) << forged.refusals()[0];
        EXPECT_EQ(placeOf(forged, stranger), "new");
        EXPECT_EQ(placeOf(forged, copy), "new");
    }
}

TEST_F(TargetLedgerTest, TheOptionLeavesOutWhatTheTargetHoldsAndCountsIt) {
    sortTwoPictures();
    // A second source visit: a copy of a sorted picture under a new name, and a new picture.
    fs::copy_file(catalogue[0].path, source.path() / "DSC_0100.JPG");
    addAlbum(2, "B", "2007").createSubDir = 0;
    PictureRecord again = catalogue[0];
    again.path = (source.path() / "DSC_0100.JPG").string();
    again.albumId = 2;
    catalogue.push_back(again);
    addCameraPicture("DSC_0101.JPG", "pixel5-1008x756.jpg", 2, 2);
    albums[1].pictureCount = 2;

    runWindow(false, true);
    EXPECT_EQ(albums[1].isProcessed, 1);
    EXPECT_EQ(window->alreadyInTarget(), 1);
    EXPECT_NE(status().find(" 1 picture is already in the target."), std::string::npos) << status();
    std::vector<std::string> second;
    for (const std::string& file : targetFiles()) {
        if (file.rfind("2007/", 0) == 0) {
            second.push_back(file);
        }
    }
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(targetBytes(second[0]), readTestData("pixel5-1008x756.jpg"));
    // Not journaled either: the second run's journal plans the new picture alone.
    JournalTrust trust(data.str());
    ASSERT_EQ(trust.loadKey(false), 0);
    const std::vector<std::string> journals = journalsOf(target.str());
    ASSERT_EQ(journals.size(), 2u);
    std::size_t newest = 0;
    std::vector<std::optional<AdmittedRun>> runs;
    for (std::size_t i = 0; i < journals.size(); ++i) {
        std::string refusal;
        runs.push_back(admitJournal(journals[i], trust, refusal));
        ASSERT_TRUE(runs.back()) << refusal;
        newest = runs[i]->run.steps.front().albumId == 2 ? i : newest;
    }
    ASSERT_EQ(runs[newest]->run.steps.size(), 1u);
    EXPECT_EQ(runs[newest]->run.steps[0].source, "DSC_0101.JPG");
    EXPECT_EQ(alreadyInTargetText(312), "312 pictures are already in the target");
}

}  // namespace
}  // namespace dz::test

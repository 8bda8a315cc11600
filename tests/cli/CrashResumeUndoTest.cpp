// A real `dezoredu-cli process` killed at many points of a move or a copy, then
// `resume` and `undo` from its journal: no picture is ever lost.
#include "SessionFixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace dz::test {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the command line with `args`, its output thrown away; returns its pid.
pid_t start(const std::vector<std::string>& args, const std::string& log = "/dev/null") {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(DZ_CLI_PATH)};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(DZ_CLI_PATH, argv.data());
        ::_exit(127);
    }
    return pid;
}

int finish(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

class CrashResumeUndoTest : public ::testing::TestWithParam<bool> {
protected:
    // Pictures of one shot time in two camera folders that restart their
    // numbers; each a real camera JPEG padded to a size worth copying.
    void makeSource() {
        const std::string picture = readTestData("canon-40d.jpg");  // 2008:05:30 15:56:01
        for (int i = 0; i < kPictures; ++i) {
            const std::string folder = i < kPictures / 2 ? "100CANON" : "101CANON";
            const std::string name = "IMG_000" + std::to_string(i % (kPictures / 2)) + ".JPG";
            std::string bytes = picture + std::string(600 * 1024, static_cast<char>('a' + i));
            const fs::path path = sourceTop() / folder / name;
            fs::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary) << bytes;
            originals[path.string()] = bytes;
        }
    }

    // A session with one album of every picture, saved by the main window.
    void saveSession() {
        saveSessionThroughWindow(sourceTop().string(), target.str(), moving(), session, kPictures,
                                 [](AppState& state) {
                                     Album album;
                                     album.id = 1;
                                     album.name = "Trip";
                                     album.keepOriginalName = 1;
                                     album.addDate = album.addTime = 0;
                                     album.isNew = 0;
                                     const auto shot = static_cast<std::uint64_t>(localStamp(2008, 5, 30, 15, 56, 1));
                                     album.setStart(shot);
                                     album.setEnd(shot);
                                     for (PictureRecord& p : state.dirReader->catalogue()) {
                                         p.albumId = 1;
                                         ++album.pictureCount;
                                     }
                                     state.albums = {album};
                                 });
    }

    std::string journal() const {
        const fs::path folder = target.path() / ".dezoredu/journal";
        if (!fs::exists(folder)) {
            return {};
        }
        for (const auto& entry : fs::directory_iterator(folder)) {
            return entry.path().string();
        }
        return {};
    }

    int startedSteps() const {
        const std::string text = journal().empty() ? std::string() : fileText(journal());
        int n = 0;
        for (std::size_t at = text.find("\"event\":\"start\""); at != std::string::npos;
             at = text.find("\"event\":\"start\"", at + 1)) {
            ++n;
        }
        return n;
    }

    int linesOf(const std::string& event) const {
        const std::string text = journal().empty() ? std::string() : fileText(journal());
        int n = 0;
        for (std::size_t at = text.find(event); at != std::string::npos; at = text.find(event, at + 1)) {
            ++n;
        }
        return n;
    }

    // Kills `child` once the journal holds `more` lines of `event` beyond
    // those it held when called, or when it ends by itself first.
    void killAfter(pid_t child, const std::string& event, int more) const {
        const int before = linesOf(event);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (linesOf(event) < before + more && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(child, &status, WNOHANG) == child) {
                return;
            }
        }
        ::kill(child, SIGKILL);
        finish(child);
    }

    bool moving() const { return GetParam(); }

    // bytes -> where they are: at the source path, or in the target tree.
    // Right after a kill a moved picture may be at both places: killed after
    // its copy was in place and before its source went, which the resume
    // finishes.
    void expectNothingLost(bool allInTarget, bool allAtSource, bool afterKill = false) const {
        std::map<std::string, int> inTarget;
        for (const auto& entry : fs::recursive_directory_iterator(target.path())) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file() || entry.path().string().find("/.dezoredu/") != std::string::npos) {
                continue;
            }
            EXPECT_EQ(name.find("dzpart"), std::string::npos) << "partial file " << entry.path();
            ++inTarget[fileText(entry.path())];
        }
        int inTargetTotal = 0;
        for (const auto& [bytes, count] : inTarget) {
            inTargetTotal += count;
        }
        int found = 0;
        for (const auto& [path, bytes] : originals) {
            const bool atSource = fs::exists(path) && fileText(path) == bytes;
            const int copies = inTarget.count(bytes) ? inTarget.at(bytes) : 0;
            EXPECT_TRUE(atSource || copies == 1) << path << " is lost or doubled";
            EXPECT_LE(copies, 1) << path << " is doubled";
            if (moving() && !afterKill) {
                EXPECT_FALSE(atSource && copies > 0) << path << " is at both places";
            } else if (!moving()) {
                EXPECT_TRUE(atSource) << path << " left its source in a copy";
            }
            if (allInTarget) {
                EXPECT_EQ(copies, 1) << path;
            }
            if (allAtSource) {
                EXPECT_TRUE(atSource) << path;
            }
            found += copies;
        }
        // Nothing in the target that is not one of the pictures, whole.
        EXPECT_EQ(found, inTargetTotal);
    }

    // Moves between two file systems are slow enough to be cut in the middle.
    fs::path sourceTop() const { return shm_.empty() ? source.path() : fs::path(shm_); }

    void SetUp() override {
        char pattern[] = "/dev/shm/dezoredu-test-XXXXXX";
        if (fs::exists("/dev/shm") && ::mkdtemp(pattern) != nullptr) {
            shm_ = pattern;
        }
        session = (work.path() / "photos.fls").string();
        char cwd[4096];
        ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
        previous_ = cwd;
        ASSERT_EQ(::chdir(work.str().c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(::chdir(previous_.c_str()), 0);
        if (!shm_.empty()) {
            fs::remove_all(shm_);
        }
    }

    static constexpr int kPictures = 16;
    TempDir work;
    TempDir source;
    TempDir target;
    std::string session;
    std::map<std::string, std::string> originals;
    std::string shm_;
    std::string previous_;
};

TEST_P(CrashResumeUndoTest, KilledAtManyPointsThenResumedThenUndone) {
    int cutShort = 0;
    int replaysCutShort = 0;
    for (const int killAt : {1, 2, 3, 4, 7, 10, 13, 15}) {
        SCOPED_TRACE("killed after step " + std::to_string(killAt) + " started");
        fs::remove_all(target.path());
        fs::create_directories(target.path());
        fs::remove_all(sourceTop());
        originals.clear();
        makeSource();
        saveSession();

        const pid_t child = start({"process", session});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (startedSteps() < killAt && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(child, &status, WNOHANG) == child) {
                break;
            }
        }
        ::kill(child, SIGKILL);
        finish(child);
        expectNothingLost(false, false, true);
        ASSERT_FALSE(journal().empty());
        if (fileText(journal()).find("\"event\":\"end\"") == std::string::npos) {
            ++cutShort;
        }

        // The session saved before the run still loads: the journal tells
        // where moved pictures went.
        EXPECT_EQ(finish(start({"session", session})), 0);

        // A user may process the same session again instead: pictures the
        // run had moved are catalogued at their places and stay there, none
        // is removed as "already there" from under itself.
        if (killAt % 2 == 1) {
            finish(start({"process", session}, (work.path() / "rerun.log").string()));
            expectNothingLost(false, false);
            if (HasFailure()) {
                ADD_FAILURE() << fileText(work.path() / "rerun.log");
                return;
            }
            continue;
        }

        // Resume and undo are cut short too, and run again to the end.
        const int ends = linesOf("\"event\":\"end\"");
        killAfter(start({"resume", journal()}), "\"event\":\"start\"", killAt / 2);
        replaysCutShort += linesOf("\"event\":\"end\"") == ends ? 1 : 0;
        expectNothingLost(false, false, true);
        ASSERT_EQ(finish(start({"resume", journal()})), 0);
        expectNothingLost(true, false);
        // Both IMG_0000.JPG made it, the second under a name of its own.
        EXPECT_TRUE(fs::exists(target.path() / "Trip/IMG_0000 (2).jpg"));

        killAfter(start({"undo", journal()}), "\"event\":\"undo-step\"", killAt);
        replaysCutShort += linesOf("\"event\":\"undone\"") == 0 ? 1 : 0;
        expectNothingLost(false, false, true);
        ASSERT_EQ(finish(start({"undo", journal()})), 0);
        expectNothingLost(false, true);
        EXPECT_FALSE(fs::exists(target.path() / "Trip"));
    }
    // The test means something only if runs were really cut short.
    EXPECT_GE(cutShort, 3);
    EXPECT_GE(replaysCutShort, 3);
}

INSTANTIATE_TEST_SUITE_P(MoveAndCopy, CrashResumeUndoTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Move" : "Copy"; });

}  // namespace
}  // namespace dz::test

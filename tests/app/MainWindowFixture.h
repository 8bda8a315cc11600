#pragma once

#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "app/MainWindowIds.h"

#include "EnvScope.h"
#include "ScriptedHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>

namespace dz::test {

// A main window started in a fresh start-up folder (the working directory),
// as the program starts it.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // The choices of the window as the first program made them.
        state.unsavedPictureFiles = PictureFiles::JpegOnly;
        char buffer[4096];
        ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
        previousFolder_ = buffer;
        ASSERT_EQ(::chdir(startFolder.str().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(::chdir(previousFolder_.c_str()), 0); }

    CVazedazDlg& start() {
        window = std::make_unique<CVazedazDlg>(host, state);
        window->onInit();
        return *window;
    }

    const Control& control(int id) const { return window->control(id); }

    TempDir startFolder;
    // The user's settings folder, kept inside the test's own folder.
    EnvScope configHome{"XDG_CONFIG_HOME", (startFolder.path() / "config").c_str()};
    TempDir source;
    ScriptedHost host;
    FileSystem fileSystem;
    AppState state{fileSystem};
    std::unique_ptr<CVazedazDlg> window;

private:
    std::string previousFolder_;
};

}  // namespace dz::test

#include "process/FileErrorPrompt.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

namespace dz::test {
namespace {

struct PromptCase {
    int code;
    std::string path;
    std::string text;
    Icon icon;
    Buttons buttons;
};

TEST(FileErrorPromptTest, TextIconAndButtonsFollowTheErrorNumber) {
    const std::vector<PromptCase> cases = {
        {80, "/photos/IMG_1.JPG", "IMG_1.JPG already exists! Overwrite?", Icon::Exclamation, Buttons::YesNoCancel},
        {80, "", "File already exists! Overwrite?", Icon::Exclamation, Buttons::YesNoCancel},
        {3, "/photos/Sub/IMG_1.JPG", "The system cannot find the path specified( /photos/Sub). Continue?",
         Icon::Error, Buttons::AbortRetryIgnore},
        {3, "IMG_1.JPG", "The system cannot find the path specified( ). Continue?", Icon::Error,
         Buttons::AbortRetryIgnore},
        {2, "/photos/IMG_1.JPG", "The system cannot find the file specified( IMG_1.JPG). Continue?", Icon::Error,
         Buttons::AbortRetryIgnore},
        {5, "/photos/IMG_1.JPG", "Access is denied.( /photos). Continue?", Icon::Error, Buttons::AbortRetryIgnore},
        {5, "", "Access is denied. Continue?", Icon::Error, Buttons::AbortRetryIgnore},
        {32, "/a/b.jpg",
         "The process cannot access the file because it is being used by another process( b.jpg). Continue?",
         Icon::Error, Buttons::AbortRetryIgnore},
        {183, "/target/2006", "Directory already exists( 2006)! Continue?", Icon::Exclamation, Buttons::YesNo},
        {39, "/a/b.jpg",
         "The disk is full. Please close all other applications while Dezoredu is processing albums. Continue?",
         Icon::Error, Buttons::RetryCancel},
        {21, "/media/card", "The device is not ready. Continue?", Icon::Exclamation, Buttons::AbortRetryIgnore},
        {206, "/a/b.jpg", "The filename or extension is too long. Please redefine album", Icon::Error, Buttons::Ok},
        {267, "/a/b.jpg", "The directory name is invalid. Please redefine album", Icon::Exclamation, Buttons::Ok},
        {266, "", "The copy functions cannot be used.", Icon::Error, Buttons::RetryCancel},
        {19, "/a", "The media is write protected. Continue?", Icon::Error, Buttons::AbortRetryIgnore},
        {20, "", "The system cannot find the drive specified. Continue?", Icon::Error, Buttons::AbortRetryIgnore},
        {1785, "", "The disk media is not recognized. It may not be formatted.", Icon::Error,
         Buttons::AbortRetryIgnore},
        {53, "/a/b.jpg", "Unknown error.", Icon::Error, Buttons::AbortRetryIgnore},
        {17, "/a/b.jpg", "Unknown error.", Icon::Error, Buttons::AbortRetryIgnore},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedHost host;
        reportFileError(host, c.code, c.path);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.text);
        EXPECT_EQ(host.messages[0].caption, "System Error");
        EXPECT_EQ(host.messages[0].icon, c.icon);
        EXPECT_EQ(host.messages[0].buttons, c.buttons);
    }
}

struct VerdictCase {
    int code;
    Answer answer;
    bool retry;
    bool goOn;
};

TEST(FileErrorPromptTest, EachAnswerGivesItsRetryFlagAndVerdict) {
    const std::vector<VerdictCase> cases = {
        {5, Answer::Abort, false, false},  {5, Answer::Retry, true, true},    {5, Answer::Ignore, false, true},
        {39, Answer::Retry, true, true},   {39, Answer::Cancel, false, false}, {80, Answer::Yes, true, true},
        {80, Answer::No, false, true},     {80, Answer::Cancel, false, false}, {183, Answer::Yes, true, true},
        {183, Answer::No, false, false},   {206, Answer::Ok, false, false},    {267, Answer::Ok, false, false},
    };
    for (const VerdictCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " answer " << static_cast<int>(c.answer));
        ScriptedHost host;
        host.answer(c.answer);
        const FileErrorChoice choice = reportFileError(host, c.code, "/a/b.jpg");
        EXPECT_EQ(choice.retry, c.retry);
        EXPECT_EQ(choice.goOn, c.goOn);
        EXPECT_EQ(choice.answer, c.answer);
    }
}

}  // namespace
}  // namespace dz::test

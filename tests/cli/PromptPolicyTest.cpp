#include "PromptPolicy.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

Answer answer(const PromptPolicy& policy, const std::string& text, Buttons buttons) {
    return policy.answerFor(MessageRequest{text, "System Error", Icon::Exclamation, buttons});
}

TEST(PromptPolicy, OverwriteQuestionIsKnownWithAndWithoutAName) {
    PromptPolicy policy;
    EXPECT_EQ(answer(policy, "File already exists! Overwrite?", Buttons::YesNoCancel), Answer::No);
    policy.onExists = PromptPolicy::OnExists::Overwrite;
    EXPECT_EQ(answer(policy, "File already exists! Overwrite?", Buttons::YesNoCancel), Answer::Yes);
    EXPECT_EQ(answer(policy, "a b.jpg already exists! Overwrite?", Buttons::YesNoCancel), Answer::Yes);
    // The same words under other buttons are not that question.
    EXPECT_EQ(answer(policy, "File already exists! Overwrite?", Buttons::YesNo), Answer::No);
}

TEST(PromptPolicy, QuestionsItDoesNotKnowGetTheAnswerThatChangesNothing) {
    PromptPolicy policy;
    policy.onExists = PromptPolicy::OnExists::Overwrite;
    policy.onError = PromptPolicy::OnError::Continue;
    EXPECT_EQ(answer(policy, "Close Dezoredu?", Buttons::YesNo), Answer::No);
    EXPECT_EQ(answer(policy, "Save changes?", Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(answer(policy, "The copy functions cannot be used.", Buttons::RetryCancel), Answer::Cancel);
    EXPECT_EQ(answer(policy, "Error while reading from drive", Buttons::OkCancel), Answer::Ok);
    EXPECT_EQ(answer(policy, "The directory name is invalid. Please redefine album", Buttons::Ok), Answer::Ok);
}

TEST(PromptPolicy, OptionWords) {
    EXPECT_EQ(PromptPolicy::onExistsNamed("stop"), PromptPolicy::OnExists::Stop);
    EXPECT_EQ(PromptPolicy::onExistsNamed("Skip"), std::nullopt);
    EXPECT_EQ(PromptPolicy::onErrorNamed("continue"), PromptPolicy::OnError::Continue);
    EXPECT_EQ(PromptPolicy::onErrorNamed(""), std::nullopt);
}

}  // namespace
}  // namespace dz

// A journal whose last line a crash cut short is still read, and the next
// writer goes on from a line of its own, the chain of seals unbroken.
#include "journal/JournalGate.h"
#include "journal/RunJournal.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dz::test {
namespace {

TEST(JournalChain, ALineCutShortIsPassedOverAndTheNextWriterStartsAfreshLine) {
    TempDir data;
    TempDir source;
    TempDir target;
    JournalTrust trust(data.str());
    ASSERT_EQ(trust.loadKey(true), 0);
    RunRecord run;
    run.targetFolder = target.str();
    run.sourceFolder = source.str();
    run.move = false;
    for (int i = 1; i <= 2; ++i) {
        JournalStep step;
        step.number = i;
        step.albumId = 1;
        step.source = "IMG_" + std::to_string(i) + ".JPG";
        step.target = "Trip/IMG_" + std::to_string(i) + ".jpg";
        run.steps.push_back(step);
    }
    RunJournal journal;
    ASSERT_EQ(journal.begin(run, trust), 0);
    ASSERT_EQ(journal.stepStarted(run.steps[0], RunJournal::LineWay::Flushed), 0);
    journal.close();
    // The crash: half a line, no line end.
    std::ofstream(run.path, std::ios::app) << "{\"event\":\"done\",\"step\":1,\"outc";

    std::string refusal;
    std::optional<AdmittedRun> admitted = admitJournal(run.path, trust, refusal);
    ASSERT_TRUE(admitted) << refusal;
    EXPECT_TRUE(admitted->run.tornEnd);
    EXPECT_EQ(admitted->run.steps[0].state, JournalStep::State::Started);

    RunJournal again;
    ASSERT_EQ(again.reopen(admitted->run, trust, "resume"), 0);
    ASSERT_EQ(again.stepFinished(1, "copied"), 0);
    ASSERT_EQ(again.ended("end", "done"), 0);
    again.close();

    admitted = admitJournal(run.path, trust, refusal);
    ASSERT_TRUE(admitted) << refusal;
    EXPECT_EQ(admitted->run.steps[0].state, JournalStep::State::Finished);
    EXPECT_EQ(admitted->run.steps[0].outcome, "copied");
    EXPECT_TRUE(admitted->run.ended);
}

}  // namespace
}  // namespace dz::test

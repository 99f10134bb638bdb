// A save that cannot complete must leave the earlier file exactly as it was, say so, and leave
// nothing behind. Each failure is a real one: no permission tricks, since the tests run as root.
// (Why a save failed, for people, and saves to folders, FIFOs, devices and links: tivractl format
// in tests/cli.)

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "config/headless_setup.h"
#include "file_test_support.h"
#include "files/file_commands.h"
#include "files/settings_file.h"
#include "support/recording_operator.h"
#include "support/temp_folder.h"

namespace tivra::test {
namespace {

const std::vector<std::string> CANNOT_SAVE = {"Alert: Cannot save configuration!"};

class SaveFailureTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ProgramState state;
    HeadlessForm form = headlessFormShowing(mixedConfiguration());
    RecordingOperator ui;
};

TEST_F(SaveFailureTest, AnUnfinishedDocumentIsNeverPutInPlace) {
    const std::string target = writeBytes(folder.file("kept.smc"), "earlier\r\n");
    {
        SettingsFile file;
        ASSERT_NE(file.createForWriting(target), 0);
        file.writeComment("half");
        // While the document is open the earlier file is untouched and the new text waits
        // beside it, in the same folder, so the final rename cannot cross file systems.
        EXPECT_EQ(readBytes(target), "earlier\r\n");
        EXPECT_EQ(folder.names().size(), 2u);
    }
    EXPECT_EQ(readBytes(target), "earlier\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"kept.smc"});
}

#ifndef _WIN32
// The file-size limit makes the kernel refuse the write part way through: the temporary file
// gets the first bytes, then the write fails. Run in a child so the limit ends with it.
TEST_F(SaveFailureTest, AWriteThatFailsLeavesTheEarlierFileByteIdentical) {
    const std::string target = folder.file("earlier.smc");
    MuxConfiguration earlier = defaultConfiguration();
    earlier.channel(4).enabled = 1;
    const std::string earlierBytes = expectedFileText(earlier);
    writeBytes(target, earlierBytes);

    for (rlim_t limit : {rlim_t{0}, rlim_t{100}, rlim_t{1000}}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit small{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &small) != 0) _exit(10);
            RecordingOperator childUi;
            // The box says that it failed; the reason is kept for whoever can use it.
            const std::string reason = saveConfiguration(state, form, childUi, target);
            const std::string why = "cannot save " + target + ": File too large (while writing)";
            _exit(childUi.boxes() != CANNOT_SAVE ? 11 : reason != why ? 12 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "limit " << limit;
        EXPECT_EQ(WEXITSTATUS(status), 0) << "limit " << limit;
        EXPECT_EQ(readBytes(target), earlierBytes) << "limit " << limit;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"earlier.smc"}) << "limit " << limit;
    }
}

// A save killed at any moment leaves the earlier file or the new one, never a mix or a cut. The
// next save removes the temporary files of killed saves, but not those of a process that still
// runs, nor other programs' files.
TEST_F(SaveFailureTest, ASaveKilledAtAnyMomentLeavesOneWholeFile) {
    const std::string target = folder.file("target.smc");
    MuxConfiguration other = mixedConfiguration();
    other.channel(4).enabled = 1;
    HeadlessForm forms[2] = {form, headlessFormShowing(other)};
    const std::string texts[2] = {expectedFileText(mixedConfiguration()), expectedFileText(other)};
    writeBytes(target, texts[1]);
    std::mt19937 random(20240613);
    for (int round = 0; round < 200; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (int n = 0;; ++n) saveConfiguration(state, forms[n % 2], ui, target);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = readBytes(target);
        ASSERT_TRUE(now == texts[0] || now == texts[1]) << "round " << round << ":\n" << now;
    }
    const std::vector<std::string> kept = {".other-save-7-0.tmp", ".tivra-save-1-0.tmp"};
    for (const std::string& name : kept) writeBytes(folder.file(name), "not stale\n");
    saveConfiguration(state, form, ui, target);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{kept[0], kept[1], "target.smc"}));
}
#endif

}  // namespace
}  // namespace tivra::test

// A save that cannot complete must leave the earlier file exactly as it was, say so, and leave
// nothing behind. Each failure is a real one: no permission tricks, since the tests run as root.
// (Why a save failed, for people, is checked through tivractl format in tests/cli.)

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST_F(SaveFailureTest, NoFileCanBeCreatedOrPutInPlace) {
    // The folder is a file: nothing can be created in it.
    const std::string notAFolder = folder.file("plain");
    writeBytes(notAFolder, "just a file\n");
    saveConfiguration(state, form, ui, notAFolder + "/x.smc");
    EXPECT_EQ(ui.boxes(), CANNOT_SAVE);
    EXPECT_EQ(readBytes(notAFolder), "just a file\n");

    // The target is a folder: the rename fails, and no temporary file is left.
    const std::string target = folder.file("target.smc");
    std::filesystem::create_directory(target);
    writeBytes(target + "/inside", "kept\n");
    ui.clear();
    saveConfiguration(state, form, ui, target);
    EXPECT_EQ(ui.boxes(), CANNOT_SAVE);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"plain", "target.smc"}));
    EXPECT_EQ(readBytes(target + "/inside"), "kept\n");
}

TEST_F(SaveFailureTest, AnUnfinishedDocumentIsNeverPutInPlace) {
    const std::string target = folder.file("kept.smc");
    writeBytes(target, "earlier\r\n");
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
            saveConfiguration(state, form, childUi, target);
            _exit(childUi.boxes() == CANNOT_SAVE ? 0 : 11);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "limit " << limit;
        EXPECT_EQ(WEXITSTATUS(status), 0) << "limit " << limit;
        EXPECT_EQ(readBytes(target), earlierBytes) << "limit " << limit;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"earlier.smc"}) << "limit " << limit;
    }

    // Without the limit the same save replaces the file.
    saveConfiguration(state, form, ui, target);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{});
    EXPECT_EQ(readBytes(target), expectedFileText(mixedConfiguration()));
}

TEST_F(SaveFailureTest, AReplacedFileKeepsItsAccessRightsAndALinkStaysALink) {
    const std::string target = folder.file("private.smc");
    writeBytes(target, "earlier\r\n");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    saveConfiguration(state, form, ui, target);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(target), expectedFileText(mixedConfiguration()));

    std::filesystem::create_directory(folder.file("real"));
    const std::string real = folder.file("real/config.smc");
    writeBytes(real, "earlier\r\n");
    const std::string link = folder.file("current.smc");
    std::filesystem::create_symlink("real/config.smc", link);
    saveConfiguration(state, form, ui, link);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{});
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(real), expectedFileText(mixedConfiguration()));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"current.smc", "private.smc", "real"}));
}
#endif

}  // namespace
}  // namespace tivra::test

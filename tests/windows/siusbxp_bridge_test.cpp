// The real bridge library binding, run against stand-in libraries: the one beside this program
// exports the eleven operations by ordinal only and serves them from the simulated board pair.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/program_folder.h"
#include "boards/bridge_choice.h"
#include "link/bridges/siusbxp.h"
#include "link/link_bench.h"
#include "support/temp_folder.h"

namespace tivra::test {
namespace {

// Discovery, a full read, a full write and a read after a new start, all through the library
// beside the program, bound by ordinal, with the expectations the simulated bridge meets.
TEST(SiUsbXpBridge, TheLibraryBesideTheProgramServesBothBoards) {
    SiUsbXpBridge library;
    ASSERT_TRUE(library.bound());
    LinkSession session(library);
    expectFullRead(session, sim::BoardPair::factoryConfiguration());
    session.restart();
    const MuxConfiguration written = expectFullWrite(session);
    // The library keeps one opener per device: discovery opens it again only if the close at
    // exit reached the library.
    session.restart();
    expectFullRead(session, written);

    // The platform's real bridge is this one.
    closeBoardLink(session.bridge, session.state.link);
    uint32_t count = 0;
    EXPECT_TRUE(makeSiUsbXpBridge()->getNumDevices(&count) == 0 && count == 1) << count;
}

// A library that is no 64-bit library, or that does not export the operations at their ordinals,
// reads as no device attached, and says why and where it was looked for (a missing one:
// ABareNameNotFoundNamesBothFolders and StandInLibrary.PortsWithoutItFail).
// (Write Configuration stops at the same look for devices: Buttons in
// tests/link/exchange_test.cpp.)
TEST(SiUsbXpBridge, UnboundLibraryReadsAsNoDeviceAttached) {
    // A file of that name that is no library at all loads no better than a 32-bit one.
    CreateDirectoryA((programFolder() + "not-a-library").c_str(), nullptr);
    writeBytes(programFolder() + "not-a-library\\SiUSBXp.dll", "MZ? not a program");
    const std::string needed = "; it must be the 64-bit \"SiUSBXp.dll\" of the bridge's driver";
    const std::pair<const char*, std::string> folders[] = {
        {"by-name", "the bridge library \"SiUSBXp.dll\" lacks operations the board link needs: "},
        {"not-a-library", "the bridge library \"SiUSBXp.dll\" could not be loaded from "}};
    for (const auto& [folder, said] : folders) {
        const std::string path = programFolder() + folder + "\\SiUSBXp.dll";
        SiUsbXpBridge library(path);
        EXPECT_FALSE(library.bound());
        const std::string reason =
            std::string(folder) == "not-a-library" ? ": not a 64-bit library" : "";
        EXPECT_EQ(library.problem(), said + path + reason + needed);
        LinkSession session(library);
        EXPECT_EQ(readConfigurationFromBoards(session.context), -1) << folder;
        EXPECT_EQ(session.ui.boxes(), Calls(2, NO_BOARD));
        EXPECT_EQ(session.bridge.calls, Calls(2, "getNumDevices -> 255"));
        EXPECT_FALSE(session.state.link.boardLinkOpen);
    }
}

// A bare name is looked for in the program's folder and the system's, and both are named; the
// reason is the loader's, not that of what named the folders afterwards.
TEST(SiUsbXpBridge, ABareNameNotFoundNamesBothFolders) {
    SiUsbXpBridge library("NoSuchBridge.dll");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(library.problem(), "the bridge library \"SiUSBXp.dll\" could not be loaded from " +
                                     programFolder() + "NoSuchBridge.dll or " + system +
                                     "\\NoSuchBridge.dll: not found; it must be the 64-bit "
                                     "\"SiUSBXp.dll\" of the bridge's driver");
}

}  // namespace
}  // namespace tivra::test

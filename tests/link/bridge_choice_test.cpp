// Choosing the bridge from TIVRA_BRIDGE or --bridge (a device path: SerialEndToEnd).

#include "link/bridge_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "link_bench.h"

namespace tivra::test {
namespace {

void setVariable(const char* value) {
#ifdef _WIN32
    _putenv_s("TIVRA_BRIDGE", value ? value : "");
#else
    if (value)
        setenv("TIVRA_BRIDGE", value, 1);
    else
        unsetenv("TIVRA_BRIDGE");
#endif
}

TEST(BridgeChoice, Values) {
    const std::string KINDS[] = {"Platform", "Simulated", "SerialPath"};
    for (const auto& [value, expected] : dataRows("link/bridge_choices.txt", " =>")) {
        BridgeChoice choice;
        std::string error;
        const bool accepted = parseBridgeChoice(value, choice, error);
        EXPECT_EQ(accepted
                      ? KINDS[int(choice.kind)] + (choice.path.empty() ? "" : " " + choice.path)
                      : "refused: " + error,
                  expected)
            << "'" << value << "'";
    }
}

TEST(BridgeChoice, TheEnvironmentChoosesTheSimulatedPairOrNothing) {
    setVariable("bogus");
    std::string error;
    EXPECT_EQ(makeBridgeFromEnvironment(error), nullptr);
    EXPECT_NE(error.find("\"bogus\""), std::string::npos);

    setVariable("sim");
    std::unique_ptr<UsbBridge> bridge = makeBridgeFromEnvironment(error);
    setVariable(nullptr);
    ASSERT_NE(bridge, nullptr) << error;
    // Real time passes slowly here, but the pair answers at once.
    LinkSession session(*bridge);
    EXPECT_EQ(readConfigurationFromBoards(session.context), 0);
    EXPECT_EQ(session.state.configuration, factoryConfiguration());
}

}  // namespace
}  // namespace tivra::test

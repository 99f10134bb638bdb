// The platform the window starts on, or the words that say why it cannot start, for the sessions
// a desktop may have: X, Wayland, both, neither, and Qt with or without each plugin.

#include "app/display_choice.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_texts.h"

namespace tivra {
namespace {

TEST(DisplayChoice, WaylandFirstXAsFallBackAndWordsWhereNeitherCanStart) {
    using namespace app_texts;
    struct Row {
        DisplayEnvironment environment;
        std::string_view platforms, problem;
    };
    const Row rows[] = {
        {{"offscreen", "", "", false, false}, "", ""},  // the operator's choice stands
        {{"", ":0", "wayland-0", true, true}, "wayland;xcb", ""},
        {{"", "", "wayland-0", true, true}, "wayland", ""},
        {{"", ":0", "", true, true}, "xcb", ""},
        {{"", ":0", "wayland-0", true, false}, "xcb", ""},  // Xwayland without Qt's plugin
        {{"", "", "wayland-0", true, false}, "", NO_WAYLAND_PLUGIN_TEXT},
        {{"", ":0", "", false, true}, "", NO_X_PLUGIN_TEXT},
        {{"", "", "", true, true}, "", NO_DISPLAY_TEXT},
    };
    for (const Row& row : rows) {
        const DisplayChoice choice = chooseDisplay(row.environment);
        EXPECT_EQ(std::tie(choice.platforms, choice.problem), std::tie(row.platforms, row.problem))
            << row.environment.display << '|' << row.environment.waylandDisplay;
    }
}

}  // namespace
}  // namespace tivra

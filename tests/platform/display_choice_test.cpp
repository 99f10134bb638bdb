// The platform the window starts on, or the words that say why it cannot start, for the sessions
// a desktop may have: X, Wayland, both, neither, and Qt with or without each plugin.

#include "app/display_choice.h"

#include <gtest/gtest.h>

#include "app/app_texts.h"

namespace tivra {
namespace {

TEST(DisplayChoice, WaylandFirstXAsFallBackAndWordsWhereNeitherCanStart) {
    const std::string noWayland(app_texts::NO_WAYLAND_PLUGIN_TEXT);
    const std::string noX(app_texts::NO_X_PLUGIN_TEXT);
    const std::string none(app_texts::NO_DISPLAY_TEXT);
    struct Row {
        DisplayEnvironment environment;
        std::string platforms, problem;
    };
    const Row rows[] = {
        {{"offscreen", "", "", false, false}, "", ""},  // the operator's choice stands
        {{"", ":0", "wayland-0", true, true}, "wayland;xcb", ""},
        {{"", "", "wayland-0", true, true}, "wayland", ""},
        {{"", ":0", "", true, true}, "xcb", ""},
        {{"", ":0", "wayland-0", true, false}, "xcb", ""},  // Xwayland without Qt's plugin
        {{"", "", "wayland-0", true, false}, "", noWayland},
        {{"", ":0", "", false, true}, "", noX},
        {{"", "", "", true, true}, "", none},
    };
    for (const Row& row : rows) {
        const DisplayChoice choice = chooseDisplay(row.environment);
        EXPECT_EQ(choice.platforms, row.platforms) << row.environment.display << '|'
                                                   << row.environment.waylandDisplay;
        EXPECT_EQ(choice.problem, row.problem);
    }
}

}  // namespace
}  // namespace tivra

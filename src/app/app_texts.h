#pragma once
// Every text the application shell shows: the guard's warning, About, the splash window's name.

#include <string_view>

namespace tivra::app_texts {

inline constexpr std::string_view ALERT_TITLE = "Alert";
inline constexpr std::string_view ALREADY_RUNNING_TEXT =
    "Configuration or link status monitoring application already open";

// About has no title.
inline constexpr std::string_view ABOUT_TITLE = "";
// The version is the build's (TIVRA_VERSION, from the top CMakeLists.txt).
inline constexpr std::string_view ABOUT_TEXT = "Quorvantel Ostrel RK-2 Version " TIVRA_VERSION;

inline constexpr std::string_view SPLASH_TITLE = "Splash Window";

// Printed when there is no screen to show the window on.
inline constexpr std::string_view NO_DISPLAY_TEXT =
    "tivra: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
    "Start it from a desktop session, or under a virtual display: xvfb-run -a tivra [FILE]\n";
inline constexpr std::string_view NO_WAYLAND_PLUGIN_TEXT =
    "tivra: this session has only Wayland (WAYLAND_DISPLAY is set, DISPLAY is not), and Qt's\n"
    "Wayland platform plugin is not installed (Debian: sudo apt install qt6-wayland).\n";
inline constexpr std::string_view NO_X_PLUGIN_TEXT =
    "tivra: Qt's X platform plugin is not installed (Debian: sudo apt install qt6-qpa-plugins).\n";

// The only two words the program takes as options; anything else is the file to open.
inline constexpr std::string_view HELP_OPTION = "--help";
inline constexpr std::string_view VERSION_OPTION = "--version";
inline constexpr std::string_view USAGE_TEXT =
    "Usage: tivra [FILE]\n"
    "       tivra --help | --version\n"
    "\n"
    "The configurator window of the Quorvantel Ostrel RK-2 serial multiplexer. FILE, a\n"
    "configuration file (.smc), is opened at start.\n"
    "\n"
    "Environment:\n"
    "  TIVRA_BRIDGE  the bridge to the boards: unset, the USB serial ports; 'sim', the simulated\n"
    "                boards; 'serial:PATH', exactly that serial device\n"
    "\n"
    "See also tivractl --help, and the manual under Help (F1).\n";

}  // namespace tivra::app_texts

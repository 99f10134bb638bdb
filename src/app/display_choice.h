#pragma once
// Which of Qt's platforms the window starts on, before Qt is asked: a session may have an X
// server, a Wayland compositor or both, and Qt may lack the plugin for one of them. Qt aborts when
// the one it picks cannot start; here a session without a usable one is told so in words instead,
// and one with both gets the other as a fall-back.

#include <string>

namespace tivra {

struct DisplayEnvironment {
    std::string qpaPlatform;     // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    bool xcbPlugin = false;      // Qt's X platform plugin is installed
    bool waylandPlugin = false;  // Qt's Wayland platform plugin is installed
};

struct DisplayChoice {
    std::string platforms;  // for QT_QPA_PLATFORM, in Qt's "a;b" form; empty: leave it as it is
    std::string problem;    // why the window cannot start; empty when it can
};

// The operator's own QT_QPA_PLATFORM is kept. Otherwise Wayland where the session has it and Qt
// its plugin (Qt's own preference), with X as the fall-back where there is an X server too.
DisplayChoice chooseDisplay(const DisplayEnvironment& environment);

}  // namespace tivra

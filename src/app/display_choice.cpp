#include "app/display_choice.h"

#include "app/app_texts.h"

namespace tivra {

DisplayChoice chooseDisplay(const DisplayEnvironment& e) {
    if (!e.qpaPlatform.empty()) return {};
    const bool wayland = !e.waylandDisplay.empty() && e.waylandPlugin;
    const bool x = !e.display.empty() && e.xcbPlugin;
    if (wayland && x) return {"wayland;xcb", ""};
    if (wayland) return {"wayland", ""};
    if (x) return {"xcb", ""};
    if (!e.waylandDisplay.empty()) return {"", std::string(app_texts::NO_WAYLAND_PLUGIN_TEXT)};
    if (!e.display.empty()) return {"", std::string(app_texts::NO_X_PLUGIN_TEXT)};
    return {"", std::string(app_texts::NO_DISPLAY_TEXT)};
}

}  // namespace tivra

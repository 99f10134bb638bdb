#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "ui/desktop_title.h"

// Built with the X protocol library where pkg-config finds it (gui.cmake); without it there is
// nothing to correct.
#ifdef TIVRA_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace tivra {

#ifdef TIVRA_WITH_XCB
namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

}  // namespace
#endif

void showEmptyTitle([[maybe_unused]] QWidget& window) {
#ifdef TIVRA_WITH_XCB
    // Only on X itself (other platforms, such as offscreen, may offer an X interface too).
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t netName = atomNamed(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atomNamed(connection, "UTF8_STRING");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, nullptr);
    xcb_flush(connection);
#endif
}

}  // namespace tivra

// The window as the desktop shows it: titles, size, place and opened lists read back from the X
// server over a connection of the test's own, on a virtual screen under a window manager that
// frames windows with a title bar (on_desktop.sh).

#include <xcb/xcb.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/app_bench.h"
#include "ui/drop_down_list.h"

namespace tivra::test {
namespace {

// A reply of the X server, freed as xcb wants.
template <typename T>
std::unique_ptr<T, void (*)(void*)> owned(T* reply) {
    return {reply, std::free};
}

struct XServer {
    XServer() : connection(xcb_connect(nullptr, nullptr)) {}
    ~XServer() { xcb_disconnect(connection); }

    // A text property such as "_NET_WM_NAME", or "?" when the window has none.
    std::string text(WId window, const char* name) {
        QGuiApplication::sync();  // what the program asked for has reached the server
        const auto atom = owned(xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        const auto reply = owned(xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, static_cast<xcb_window_t>(window), atom->atom,
                             XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr));
        if (reply == nullptr || reply->type == XCB_ATOM_NONE) return "?";
        return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                static_cast<size_t>(xcb_get_property_value_length(reply.get()))};
    }

    // Where a window's inside lies on the screen; with frame, the outer rectangle of the frame
    // the window manager put around it (the window itself while it has none).
    QRect geometry(WId window, bool frame = false) {
        QGuiApplication::sync();
        auto id = static_cast<xcb_window_t>(window);
        while (frame) {
            const auto tree =
                owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
            if (tree->parent == tree->root) break;
            id = tree->parent;
        }
        const auto size =
            owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
        const auto at = owned(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, id, size->root, 0, 0), nullptr));
        const int border = frame ? size->border_width : 0;
        return {at->dst_x - border, at->dst_y - border, size->width + 2 * border,
                size->height + 2 * border};
    }

    xcb_connection_t* connection;
};

class WindowOnDesktop : public AppBench {};

// The program keeps no settings: with a fresh home folder, the Open and Save As dialogs, then
// Quit, leave nothing in it (Qt's dialog would keep its history in ~/.config/QtProject.conf).
// First in this program, before anything of Qt has looked for the settings folder.
TEST_F(WindowOnDesktop, BothDialogsLeaveNoSettings) {
    const TempFolder home;
    setenv("HOME", home.path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    start("", [](ApplicationSetup& setup) { setup.operatorOverride = nullptr; });
    for (const int item : {MENU_OPEN, MENU_SAVE_AS}) {
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        closer.start(50);
        app->menuItem(item)->trigger();
    }
    app->menuItem(MENU_QUIT)->trigger();
    app->shutDown();
    EXPECT_EQ(home.names(), std::vector<std::string>{});
}

TEST_F(WindowOnDesktop, TitlesSizePlaceAndOpenedListsAreWhatTheDesktopShows) {
    const std::string path = folder.file("a[*]b.smc");
    std::filesystem::copy_file(sourcePath("examples/mixed-sensors.smc"), path);
    start(path, [](ApplicationSetup& setup) { setup.operatorOverride = nullptr; });
    XServer x;
    const WId main = window().winId();
    const std::string title = "Quorvantel Ostrel RK-2    " + path;
    EXPECT_EQ(x.text(main, "_NET_WM_NAME") + '|' + x.text(main, "WM_NAME"), title + '|' + title);

    // 739 x 354 under the menu bar, centred by the frame the window manager put around it.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data;
    const auto centred = [&] {
        const QRect frame = x.geometry(main, true);
        return frame.size() != x.geometry(main).size() &&
               frame.topLeft() == QPoint((screen->width_in_pixels - frame.width()) / 2,
                                         (screen->height_in_pixels - frame.height()) / 2);
    };
    EXPECT_TRUE(QTest::qWaitFor(centred, 5000));
    EXPECT_EQ(x.geometry(main).size(), QSize(739, window().menuBar()->height() + 354));

    // Each drop-down of a row opens right below itself, as wide, to the height of the layout's
    // table, or taller where its entries need it (the sensor types: main_window_test.cpp).
    // Each opened height, or -1 when the pop-up is not right below its list, as wide.
    std::string opened;
    for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_PRIORITY; ++offset) {
        auto* list = static_cast<DropDownList*>(window().list(controlId(8, offset)));
        list->showPopup();
        const QRect popup = x.geometry(list->view()->window()->winId());
        const QRect below(list->mapToGlobal(QPoint(0, list->height())), popup.size());
        opened += ' ' + std::to_string(popup == below && popup.width() == list->width()
                                           ? std::max(popup.height() + list->height(),
                                                      list->openedHeight())
                                           : -1);
        list->hidePopup();
    }
    EXPECT_EQ(opened, " 89 160 220 60 160 220 60 200");

    // About: no title at all, where Qt would put the program's name.
    std::string about;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        about = x.text(box->winId(), "_NET_WM_NAME") + '|' + x.text(box->winId(), "WM_NAME");
        box->close();
    });
    app->menuItem(MENU_ABOUT)->trigger();
    EXPECT_EQ(about, "|");
}

// At twice the scale (QT_SCALE_FACTOR=2, tests.cmake) the window is exactly twice its size on the
// screen, and every list still shows its widest entry whole.
TEST_F(WindowOnDesktop, AtTwiceTheScaleTwiceTheSizeEveryEntryWhole) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != QStringLiteral("2"))
        GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
    start(sourcePath("examples/mixed-sensors.smc"));
    XServer x;
    EXPECT_EQ(window().devicePixelRatio(), 2.0);
    const auto size = [&] { return x.geometry(window().winId()).size(); };
    const auto twice = [&] { return QSize(2 * 739, 2 * (window().menuBar()->height() + 354)); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return size() == twice(); }, 5000))
        << size().width() << 'x' << size().height();
    for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_PRIORITY; ++offset) {
        QComboBox* list = window().list(controlId(1, offset));
        QStyleOptionComboBox option;
        option.initFrom(list);
        const int room =
            list->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width();
        for (int i = 0; i < list->count(); ++i)
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), room)
                << list->itemText(i).toStdString();
    }
}

}  // namespace
}  // namespace tivra::test

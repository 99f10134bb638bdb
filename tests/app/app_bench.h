#pragma once
// A configurator started in the test process: the real window and form, a recording operator
// instead of the boxes and dialogs, the simulated board pair behind the buttons, no splash.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "config/controls.h"
#include "config/form_transfer.h"
#include "sim/simulated_bridge.h"
#include "sim/board_pair.h"
#include "support/configuration_views.h"
#include "support/data_file.h"
#include "support/environment.h"
#include "support/recording_operator.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/qt_config_form.h"

namespace tivra::test {

// No waiting; notes the cursor the operator sees at every pause of an exchange.
struct NoPause : Pause {
    void pause(uint32_t) override {
        const QCursor* cursor = QApplication::overrideCursor();
        cursors.push_back(cursor != nullptr ? cursor->shape() : Qt::ArrowCursor);
    }
    std::vector<Qt::CursorShape> cursors;
};

class AppBench : public ::testing::Test {
  protected:
    void TearDown() override {
        if (app) app->shutDown();
    }

    // Starts the program (once a test) with this first command-line argument; adjust changes the
    // setup.
    void start(const std::string& argument = "",
               const std::function<void(ApplicationSetup&)>& adjust = {}) {
        ApplicationSetup setup;
        setup.operatorOverride = &ui;
        setup.showSplash = false;
        setup.makeBridge = [this](std::string&) {
            auto bridge = std::make_unique<SimulatedBridge>(boards);
            simulated = bridge.get();
            return std::unique_ptr<UsbBridge>(std::move(bridge));
        };
        setup.pause = &pause;
        if (adjust) adjust(setup);
        app = std::make_unique<Application>(std::move(setup));
        ASSERT_TRUE(app->startUp(argument) && app->window() != nullptr);
    }

    MainWindow& window() { return *app->window(); }
    QtConfigForm& form() { return *app->form(); }
    void press(int id) { QTest::mouseClick(window().button(id), Qt::LeftButton); }

    // Makes the main window the active one, as the operator's clicks would.
    void activate() {
        window().activateWindow();
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    RecordingOperator ui;
    sim::BoardPair boards;
    SimulatedBridge* simulated = nullptr;
    NoPause pause;
    std::unique_ptr<Application> app;
    TempFolder folder;
};

}  // namespace tivra::test

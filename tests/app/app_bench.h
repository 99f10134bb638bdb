#pragma once
// A configurator started in the test process: the real window and form, a recording operator
// instead of the boxes and dialogs, the simulated board pair behind the buttons, no splash.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/application.h"
#include "config/controls.h"
#include "config/form_transfer.h"
#include "link/bridges/simulated.h"
#include "sim/board_pair.h"
#include "support/recording_operator.h"
#include "ui/main_window.h"
#include "ui/qt_config_form.h"

namespace tivra::test {

class NoPause : public Pause {
  public:
    void pause(uint32_t) override { ++pauses; }
    uint32_t pauses = 0;
};

// The example files of the project.
inline std::string exampleFile(const std::string& name) {
    const char* source = std::getenv("TIVRA_SOURCE_DIR");
    return std::string(source != nullptr ? source : TIVRA_SOURCE_FALLBACK) + "/examples/" + name;
}

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class AppBench : public ::testing::Test {
  protected:
    void TearDown() override {
        if (app) app->shutDown();
    }

    // Starts the program with this first command-line argument.
    void start(const std::string& argument = "") {
        ApplicationSetup setup;
        setup.operatorOverride = &ui;
        setup.showSplash = false;
        setup.makeBridge = [this](std::string&) {
            auto bridge = std::make_unique<SimulatedBridge>(boards);
            simulated = bridge.get();
            return std::unique_ptr<UsbBridge>(std::move(bridge));
        };
        setup.pause = &pause;
        adjustSetup(setup);
        app = std::make_unique<Application>(std::move(setup));
        ASSERT_TRUE(app->startUp(argument));
        ASSERT_NE(app->window(), nullptr);
    }
    virtual void adjustSetup(ApplicationSetup&) {}

    MainWindow& window() { return *app->window(); }
    QtConfigForm& form() { return *app->form(); }

    // Makes the main window the active one, as the operator's clicks would.
    void activate() {
        window().activateWindow();
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    MuxConfiguration shown() {
        MuxConfiguration configuration;
        formToConfiguration(form(), configuration);
        return configuration;
    }

    RecordingOperator ui;
    sim::BoardPair boards;
    SimulatedBridge* simulated = nullptr;
    NoPause pause;
    std::unique_ptr<Application> app;
};

}  // namespace tivra::test

#pragma once
// The program: start-up in its fixed order, the dispatch of control and menu events, Help and
// About, and shutdown. One instance lives from main() to exit; the QApplication must exist first.

#include <QApplication>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/help_launcher.h"
#include "app/instance_guard.h"
#include "app/menu_bar.h"
#include "app/splash_screen.h"
#include "config/program_state.h"
#include "link/pause.h"
#include "link/usb_bridge.h"

namespace tivra {

struct BoardContext;
class MainWindow;
class QtConfigForm;
class QtOperator;
class Operator;

// Where the program's collaborators come from; the defaults are the real ones.
struct ApplicationSetup {
    // Messages, questions, dialogs and the title; null: Qt's boxes and dialogs.
    Operator* operatorOverride = nullptr;
    // For scripted runs of the real boxes: see QtOperator::setBoxLog.
    QString boxLog;
    // The splash: off shows the main window at once.
    bool showSplash = true;
    SplashClock* splashClock = nullptr;  // null: the wall clock
    SplashTiming splashTiming{};
    // The bridge of the board buttons, made at the first exchange; null: by TIVRA_BRIDGE.
    // Returns null with error set when no bridge can be made.
    std::function<std::unique_ptr<UsbBridge>(std::string& error)> makeBridge;
    Pause* pause = nullptr;  // null: the real 10 ms sleep
    // Help's viewer (see HelpLauncher); empty: the platform's own.
    std::string helpViewer;
};

class Application {
  public:
    explicit Application(ApplicationSetup setup = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up up to the event loop. False when another copy runs: the operator has been told,
    // no window exists, and only shutDown remains.
    bool startUp(const std::string& commandLineArgument);
    // The event loop, until Quit or the window's close box.
    void runEventLoop();
    // Closes the board link if it was opened, gives up the guard, closes the help windows and
    // every window. Safe to call more than once.
    void shutDown();

    // Dispatch.
    void controlEvent(int id);
    void menuEvent(int id);

    bool quitRequested() const { return quitRequested_; }
    ProgramState& state() { return state_; }
    MainWindow* window() const { return window_.get(); }
    QtConfigForm* form() const { return form_.get(); }
    Operator& ui();
    QAction* menuItem(int id) const { return menuItems_.at(static_cast<size_t>(id)); }
    const std::string& folder() const { return programFolder_; }
    // The bridge of the board buttons once an exchange has made it.
    UsbBridge* bridge() const { return bridge_.get(); }

  private:
    void requestQuit();
    UsbBridge* bridgeForExchange();
    void runExchange(int32_t (*button)(BoardContext&));

    ApplicationSetup setup_;
    HelpLauncher help_;
    InstanceGuard guard_;
    bool guardHeld_ = false;
    QImage splashPicture_;
    ProgramState state_{};
    std::unique_ptr<QtOperator> qtOperator_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<QtConfigForm> form_;
    MenuItems menuItems_{};
    std::string programFolder_;
    std::unique_ptr<UsbBridge> bridge_;
    std::unique_ptr<Pause> sleepingPause_;
    bool quitRequested_ = false;
    bool shutDown_ = false;
};

// main(): the QApplication, the Application, the loop, exit code 0. started, when given, sees
// the QApplication before anything is shown (scripts/bench's timed copy ends at the splash).
int runTivra(int argc, char** argv, const std::function<void(QApplication&)>& started = {});

}  // namespace tivra

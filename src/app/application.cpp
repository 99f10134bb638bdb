#include "app/application.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <cstdio>
#include <cstdlib>

#include "app/app_texts.h"
#include "app/program_folder.h"
#include "app/program_start.h"
#include "boards/bridge_choice.h"
#include "config/controls.h"
#include "config/field_enabling.h"
#include "config/value_lists.h"
#include "files/file_commands.h"
#include "files/terminal_text.h"
#include "link/board_protocol.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/qt_config_form.h"
#include "ui/qt_operator.h"

namespace tivra {

namespace {

// A board exchange blocks the window; the operator sees the wait cursor meanwhile.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The box says only that a save failed; why goes to standard error for whoever looks into it
// (a terminal, a desktop's journal).
void reportSaveFailure(const std::string& reason) {
    if (!reason.empty()) std::fprintf(stderr, "tivra: %s\n", terminalSafe(reason).c_str());
}

}  // namespace

Application::Application(ApplicationSetup setup)
    : setup_(std::move(setup)),
      help_(setup_.helpViewer.empty() ? HelpLauncher::DEFAULT_VIEWER : setup_.helpViewer),
      qtOperator_(std::make_unique<QtOperator>()) {
    qtOperator_->setBoxLog(setup_.boxLog);
}

Application::~Application() {
    shutDown();
}

Operator& Application::ui() {
    if (setup_.operatorOverride != nullptr) return *setup_.operatorOverride;
    return *qtOperator_;
}

bool Application::startUp(const std::string& commandLineArgument) {
    // 1. The help viewer; without it Help does nothing.
    help_.load();

    // 2. One copy at a time.
    guardHeld_ = guard_.acquire();
    if (!guardHeld_) {
        ui().message(std::string(app_texts::ALERT_TITLE),
                     std::string(app_texts::ALREADY_RUNNING_TEXT));
        return false;
    }

    // 3. The splash picture, from the program's own bytes.
    splashPicture_ = splashImage();

    // 4, 5. Zero-filled tables, no link, no file.
    state_ = ProgramState{};

    // 6. The main window, hidden.
    window_ = std::make_unique<MainWindow>();
    form_ = std::make_unique<QtConfigForm>(*window_);
    qtOperator_->setWindow(window_.get());
    window_->setControlHandler([this](int id) { controlEvent(id); });
    window_->setCloseHandler([this] { requestQuit(); });

    // 7. The lists, every data control disabled.
    fillValueLists(*form_);

    // 8. The splash, which ends by showing the main window.
    if (setup_.showSplash) {
        WallClock wallClock;
        SplashClock& clock = setup_.splashClock != nullptr ? *setup_.splashClock : wallClock;
        showSplash(*window_, splashPicture_, clock, setup_.splashTiming);
    } else {
        window_->show();
        window_->activateWindow();
    }
    splashPicture_ = QImage();

    // 9. Menus and their shortcuts.
    menuItems_ = createMenuBar(*window_, [this](int id) { menuEvent(id); });

    // 10, 11. Where the manual is, then the file named on the command line.
    programFolder_ = programFolder();
    openFromCommandLine(state_, *form_, ui(), commandLineArgument);
    return true;
}

void Application::runEventLoop() {
    if (quitRequested_ || window_ == nullptr) return;
    QApplication::exec();
}

void Application::requestQuit() {
    quitRequested_ = true;
    QApplication::quit();
}

void Application::controlEvent(int id) {
    if (form_ == nullptr) return;
    switch (id) {
        case READ_BUTTON_ID:
            runExchange(readConfigurationFromBoards);
            return;
        case WRITE_BUTTON_ID:
            runExchange(writeConfigurationToBoards);
            return;
        default:
            // Enable boxes and sensor type lists; any other control does nothing.
            fieldEnablingRule(*form_, id);
            return;
    }
}

void Application::menuEvent(int id) {
    if (form_ == nullptr) return;
    switch (id) {
        case MENU_OPEN:
            openConfiguration(state_, *form_, ui(), 0);
            return;
        case MENU_SAVE:
            reportSaveFailure(saveConfiguration(state_, *form_, ui(), state_.currentConfigPath));
            return;
        case MENU_SAVE_AS:
            reportSaveFailure(saveConfigurationAs(state_, *form_, ui()));
            return;
        case MENU_QUIT:
            requestQuit();
            return;
        case MENU_HELP:
            help_.showHelp(programFolder_);
            return;
        case MENU_ABOUT:
            ui().message(std::string(app_texts::ABOUT_TITLE), std::string(app_texts::ABOUT_TEXT));
            return;
        default:
            return;
    }
}

// The bridge is chosen at the first exchange, so that a bad TIVRA_BRIDGE is reported where it
// matters and the program starts without touching any device.
UsbBridge* Application::bridgeForExchange() {
    if (bridge_ != nullptr) return bridge_.get();
    std::string error;
    bridge_ = setup_.makeBridge ? setup_.makeBridge(error) : makeBridgeFromEnvironment(error);
    if (bridge_ == nullptr) ui().message(std::string(app_texts::ALERT_TITLE), error);
    return bridge_.get();
}

void Application::runExchange(int32_t (*button)(BoardContext&)) {
    UsbBridge* bridge = bridgeForExchange();
    if (bridge == nullptr) return;
    if (setup_.pause == nullptr && sleepingPause_ == nullptr)
        sleepingPause_ = std::make_unique<SleepingPause>();
    Pause& pause = setup_.pause != nullptr ? *setup_.pause : *sleepingPause_;
    BoardContext context{state_, *form_, ui(), *bridge, pause};
    WaitCursor wait;
    button(context);
}

void Application::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    // 1. The board link, only when an exchange opened it.
    if (bridge_ != nullptr) closeBoardLink(*bridge_, state_.link);
    // 2. The guard.
    if (guardHeld_) guard_.release();
    guardHeld_ = false;
    // 3. Help windows, then our own.
    help_.closeAll();
    qtOperator_->setWindow(nullptr);
    form_.reset();
    window_.reset();
}

int runTivra(int argc, char** argv, const std::function<void(QApplication&)>& started) {
    const std::string argument = fileArgument(argc, argv);

    // Answered before anything starts: no guard, no splash, no display needed.
    if (argument == app_texts::HELP_OPTION || argument == app_texts::VERSION_OPTION)
        prepareAnswerOutput();
    if (argument == app_texts::HELP_OPTION) {
        std::fputs(app_texts::USAGE_TEXT.data(), stdout);
        return 0;
    }
    if (argument == app_texts::VERSION_OPTION) {
        std::printf("tivra %s\n", TIVRA_VERSION);
        return 0;
    }

    const auto set = [](const char* value) { return value != nullptr && value[0] != '\0'; };
    if (!prepareDisplay()) return 1;

    QApplication application(argc, argv);
    // The program ends on Quit or the main window's close box, not when the splash closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
    // Desktops match the window to its installed desktop entry (and icon) by this name.
    QApplication::setDesktopFileName(QStringLiteral(TIVRA_APP_ID));
    if (started) started(application);

    ApplicationSetup setup;
    // Scripted runs (tests, demonstrations) answer every box themselves and keep a record.
    if (const char* log = std::getenv("TIVRA_BOX_LOG"); set(log))
        setup.boxLog = QString::fromLocal8Bit(log);

    Application program(std::move(setup));
    if (program.startUp(argument)) program.runEventLoop();
    program.shutDown();
    return 0;
}

}  // namespace tivra

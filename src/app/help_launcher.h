#pragma once
// The operator's manual: the compiled help viewer on Windows; elsewhere the HTML manual, beside the
// program in a build tree or in the installation's share/doc/tivra/manual, opened in the desktop's
// browser.

#include <string>
#include <utility>

namespace tivra {

class HelpLauncher {
  public:
    // hhctrl.ocx on Windows, xdg-open elsewhere.
    static const char* const DEFAULT_VIEWER;
    // viewer: the help viewer's library (Windows) or the opener program (elsewhere; a bare name
    // is looked for on the PATH).
    explicit HelpLauncher(std::string viewer = DEFAULT_VIEWER) : viewer_(std::move(viewer)) {}
    HelpLauncher(const HelpLauncher&) = delete;
    HelpLauncher& operator=(const HelpLauncher&) = delete;
    ~HelpLauncher();

    // Start-up: loads the help viewer. False when it is missing; Help then does nothing.
    bool load();
    // Shows the manual of the program in programFolder (which ends with a separator). Does not
    // check that the installed manual exists: the viewer reports a missing file itself.
    void showHelp(const std::string& programFolder);
    // Shutdown: closes every help window this program opened.
    void closeAll();

  private:
    std::string viewer_;
    // Windows (help_launcher_windows.cpp): the viewer's library and its entry.
    void* library_ = nullptr;
    void* htmlHelp_ = nullptr;
    // Elsewhere (help_launcher_posix.cpp): the opener's full path, found on the PATH by load().
    bool loaded_ = false;
    std::string opener_;
};

}  // namespace tivra

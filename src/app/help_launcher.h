#pragma once
// The operator's manual: the compiled help viewer on Windows; elsewhere the HTML manual, beside the
// program in a build tree or in the installation's share/doc/tivra/manual, opened in the desktop's
// browser.

#include <string>
#include <utility>

namespace tivra {

class HelpLauncher {
  public:
#ifdef _WIN32
    static constexpr const char* DEFAULT_VIEWER = "hhctrl.ocx";
#else
    static constexpr const char* DEFAULT_VIEWER = "xdg-open";
#endif
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
#ifdef _WIN32
    void* library_ = nullptr;
    void* htmlHelp_ = nullptr;
#else
    bool loaded_ = false;
    std::string opener_;  // full path of xdg-open, found on the PATH by load()
#endif
};

}  // namespace tivra

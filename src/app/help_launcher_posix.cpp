#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/help_launcher.h"

namespace tivra {

namespace {

constexpr const char* HELP_PAGE = "help/index.html";
// From the program's folder to the installed manual (share/doc/tivra/manual beside bin).
constexpr const char* INSTALLED_HELP_PAGE = TIVRA_MANUAL_FOLDER "index.html";

std::string findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return "";
    const std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        // An empty entry is the current folder.
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// A build tree has the manual beside the program; an installed program finds it in the
// installation's documentation folder, named without the "bin/.." detour.
std::string manualPage(const std::string& programFolder) {
    const std::string beside = programFolder + HELP_PAGE;
    if (access(beside.c_str(), F_OK) == 0) return beside;
    return std::filesystem::path(programFolder + INSTALLED_HELP_PAGE).lexically_normal().string();
}

}  // namespace

const char* const HelpLauncher::DEFAULT_VIEWER = "xdg-open";

HelpLauncher::~HelpLauncher() = default;

bool HelpLauncher::load() {
    opener_ = viewer_.find('/') == std::string::npos ? findOnPath(viewer_)
              : access(viewer_.c_str(), X_OK) == 0   ? viewer_
                                                     : "";
    loaded_ = !opener_.empty();
    return loaded_;
}

void HelpLauncher::showHelp(const std::string& programFolder) {
    if (!loaded_) return;
    // Everything the children need is prepared here: between fork and exec only
    // async-signal-safe calls are allowed, and the window's process has threads.
    const std::string page = manualPage(programFolder);
    std::vector<char*> argv = {const_cast<char*>(opener_.c_str()), const_cast<char*>(page.c_str()),
                               nullptr};
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const long openMax = sysconf(_SC_OPEN_MAX);
    const int lastFd = openMax > 0 ? static_cast<int>(openMax) - 1 : 1023;

    // Double fork: the browser is adopted by init, so it is never our zombie and we never wait
    // for it; we only wait for the short-lived middle child.
    const pid_t middle = fork();
    if (middle < 0) {
        if (devNull >= 0) ::close(devNull);
        return;
    }
    if (middle == 0) {
        // The browser may outlive us: it must not keep our lock file or a serial port open,
        // whether or not they were opened close-on-exec.
        if (devNull >= 0) dup2(devNull, STDIN_FILENO);
        if (close_range(3, ~0U, 0) != 0) {
            for (int fd = 3; fd <= lastFd; ++fd) ::close(fd);
        }
        if (fork() == 0) {
            setsid();  // a Ctrl+C in our terminal must not close the manual
            execv(argv[0], argv.data());
            _exit(127);
        }
        _exit(0);
    }
    if (devNull >= 0) ::close(devNull);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void HelpLauncher::closeAll() {
    // The browser belongs to the desktop; there is nothing of ours to close.
}

}  // namespace tivra

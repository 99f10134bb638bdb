#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>
#include <vector>

#include "sim/pty_server.h"

namespace tivra::sim {

namespace {

using SteadyClock = std::chrono::steady_clock;

double millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

void closeIfOpen(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

PtyBoardServer::PtyBoardServer(BoardPair& boards, double bytesPerMs)
    : boards_(boards), bytesPerMs_(bytesPerMs) {}

PtyBoardServer::~PtyBoardServer() {
    closeIfOpen(slave_);
    closeIfOpen(master_);
    closeIfOpen(wake_[0]);
    closeIfOpen(wake_[1]);
}

void PtyBoardServer::wake() {
    const char byte = 0;
    const ssize_t written = ::write(wake_[1], &byte, 1);
    (void)written;  // a full pipe already holds a wake-up
}

bool PtyBoardServer::open(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        closeIfOpen(master_);
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        closeIfOpen(master_);
        return false;
    }
    path_ = name;
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) {
        error = "cannot open " + path_ + ": " + std::strerror(errno);
        closeIfOpen(slave_);
        closeIfOpen(master_);
        return false;
    }
    // Raw 8N1 at the board's speed, as a USB serial port would be set up.
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, B57600);
    cfsetospeed(&tio, B57600);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::pipe(wake_) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    for (const int fd : wake_) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return true;
}

bool PtyBoardServer::serve(const std::atomic<bool>& stop, std::string& error) {
    boards_.setCountQueueChecks(false);  // a serial line has no queue checks to count
    std::deque<uint8_t> outgoing;
    SteadyClock::time_point sendStart{};
    size_t sentSinceStart = 0;
    std::vector<uint8_t> buffer(512);

    while (!stop.load()) {
        // Answers that have become due join the line.
        if (const size_t n = boards_.waiting(); n > 0) {
            std::vector<uint8_t> answer(n);
            boards_.take(answer.data(), n);
            if (outgoing.empty()) {
                sendStart = SteadyClock::now();
                sentSinceStart = 0;
            }
            outgoing.insert(outgoing.end(), answer.begin(), answer.end());
        }

        // Only as many bytes as the line could have carried so far, and none while a request
        // is coming in: the board turns to the new request instead.
        pollfd incoming{master_, POLLIN, 0};
        const bool requestArriving = ::poll(&incoming, 1, 0) > 0 && (incoming.revents & POLLIN);
        if (!outgoing.empty() && !requestArriving) {
            const auto due = static_cast<size_t>(millisecondsSince(sendStart) * bytesPerMs_);
            size_t count = due > sentSinceStart ? due - sentSinceStart : 0;
            count = std::min(count, outgoing.size());
            if (count > 0) {
                std::vector<uint8_t> chunk(outgoing.begin(),
                                           outgoing.begin() + static_cast<std::ptrdiff_t>(count));
                const ssize_t written = ::write(master_, chunk.data(), chunk.size());
                if (written > 0) {
                    outgoing.erase(outgoing.begin(), outgoing.begin() + written);
                    sentSinceStart += static_cast<size_t>(written);
                }
            }
        }

        // Idle, the server sleeps until a client writes or it is woken; while an answer is on
        // its way it looks again every millisecond.
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int timeout = (!outgoing.empty() || boards_.answerPending()) ? 1 : -1;
        const int ready = ::poll(fds, 2, timeout);
        if (ready < 0 && errno != EINTR) {
            error = std::string("cannot watch the pseudo-terminal: ") + std::strerror(errno);
            return false;
        }
        if (ready <= 0) continue;
        if (fds[1].revents & POLLIN) {
            char drained[64];
            while (::read(wake_[0], drained, sizeof drained) > 0) {
            }
        }
        if (!(fds[0].revents & POLLIN)) continue;
        const ssize_t got = ::read(master_, buffer.data(), buffer.size());
        if (got <= 0) continue;
        // The bytes reach the board only as fast as the line carries them.
        std::this_thread::sleep_for(
            std::chrono::duration<double, std::milli>(static_cast<double>(got) / bytesPerMs_));
        const size_t before = boards_.requests.size();
        boards_.receive(buffer.data(), static_cast<size_t>(got));
        if (boards_.requests.size() == before) continue;
        // What was left of an earlier answer is not sent after a new request.
        outgoing.clear();
        if (onRequest)
            for (size_t i = before; i < boards_.requests.size(); ++i)
                onRequest(boards_.requests[i]);
    }
    return true;
}

}  // namespace tivra::sim

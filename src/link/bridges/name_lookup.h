#pragma once
// Looking up a server's name within a time limit, for both halves of the socket (socket_posix.cpp,
// socket_windows.cpp, which include their system's getaddrinfo before this). getaddrinfo itself
// waits as long as the resolver likes (10 s and more for a name server that never answers): it
// runs on a thread of its own, which is left to finish by itself when the time is up.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/link_texts.h"

namespace tivra {

// The addresses of host:port, nullptr with why set when there are none or the time ran out.
// The caller frees them with freeaddrinfo.
inline addrinfo* lookUpWithin(const std::string& host, uint16_t port, uint32_t timeoutMs,
                              std::string& why) {
    struct Lookup {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool abandoned = false;
        int status = 0;
        addrinfo* found = nullptr;
    };
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host, port] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int status = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        std::lock_guard<std::mutex> lock(lookup->mutex);
        if (lookup->abandoned) {
            if (found != nullptr) freeaddrinfo(found);
            return;
        }
        lookup->status = status;
        lookup->found = found;
        lookup->finished = true;
        lookup->done.notify_one();
    }).detach();
    std::unique_lock<std::mutex> lock(lookup->mutex);
    if (!lookup->done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return lookup->finished; })) {
        lookup->abandoned = true;
        why = std::string(link_texts::NO_ANSWER);
        return nullptr;
    }
    if (lookup->status != 0 || lookup->found == nullptr) {
        why = std::string(lookup->status == EAI_NONAME
#ifdef EAI_NODATA
                                  || lookup->status == EAI_NODATA
#endif
                              ? link_texts::UNKNOWN_HOST
                              : link_texts::LOOKUP_FAILED);
        return nullptr;
    }
    return lookup->found;
}

}  // namespace tivra

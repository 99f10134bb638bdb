#pragma once
// What the handlers of interruption_*.cpp print when a signal ends tivractl: texts filled in
// before, copied with "{signal}" and "{status}" put in without allocating (a signal handler may
// not), into a buffer of their own.

#include <array>
#include <atomic>
#include <cstddef>
#include <string>

namespace tivra::cli {

struct Farewell {
    static constexpr size_t SIZE = 16384;
    std::array<char, SIZE> line{};
    size_t lineSize = 0;
    std::array<char, SIZE> json{};
    size_t jsonSize = 0;
    int status = -1;  // below 0: 128 + the signal
};

// Two farewells: the handler reads the current one while the next is filled.
class Farewells {
  public:
    void set(const std::string& line, int status, const std::string& json, const char* newline);
    const Farewell& current() const { return farewells_[static_cast<size_t>(current_.load())]; }

  private:
    std::array<Farewell, 2> farewells_;
    std::atomic<int> current_{0};
};

// text with "{signal}" as name and "{status}" as the number put in, into out (at most size
// bytes); the bytes written. No allocation.
size_t fillIn(const char* text, size_t length, const char* name, int status, char* out,
              size_t size);

}  // namespace tivra::cli

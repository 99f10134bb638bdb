#pragma once
// The requests the boards received, numbered from the first. Only the most recent are kept, so
// that a simulator left running for days keeps a flat memory.

#include <cstddef>
#include <deque>

#include "sim/request_parser.h"

namespace tivra::sim {

class RequestLog {
  public:
    static constexpr size_t KEPT = 256;

    void add(const Request& request) {
        if (kept_.size() == KEPT) kept_.pop_front();
        kept_.push_back(request);
        ++count_;
    }
    // How many requests arrived in all.
    size_t size() const { return count_; }
    // Request number i, counted from the first; only the last KEPT can still be asked for.
    const Request& operator[](size_t i) const { return kept_[i - (count_ - kept_.size())]; }
    const Request& back() const { return kept_.back(); }
    size_t kept() const { return kept_.size(); }

  private:
    std::deque<Request> kept_;
    size_t count_ = 0;
};

}  // namespace tivra::sim

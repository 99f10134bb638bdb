#include "cli/interruption_farewell.h"

#include <csignal>
#include <cstring>

#include "cli/interruption.h"

namespace tivra::cli {

void Farewells::set(const std::string& line, int status, const std::string& json,
                    const char* newline) {
    const int next = 1 - current_.load();
    Farewell& farewell = farewells_[static_cast<size_t>(next)];
    const std::string text = line.empty() ? "" : line.substr(0, Farewell::SIZE - 3) + newline;
    text.copy(farewell.line.data(), text.size());
    farewell.lineSize = text.size();
    const std::string document = json.substr(0, Farewell::SIZE);
    document.copy(farewell.json.data(), document.size());
    farewell.jsonSize = document.size();
    farewell.status = status;
    current_.store(next);
}

size_t fillIn(const char* text, size_t length, const char* name, int status, char* out,
              size_t size) {
    size_t n = 0;
    const auto put = [&](char c) {
        if (n < size) out[n++] = c;
    };
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '{' && length - i >= 8 && std::memcmp(text + i, "{signal}", 8) == 0) {
            for (const char* c = name; *c != '\0'; ++c) put(*c);
            i += 7;
        } else if (text[i] == '{' && length - i >= 8 && std::memcmp(text + i, "{status}", 8) == 0) {
            char digits[12];
            int count = 0;
            for (int value = status < 0 ? 0 : status; count == 0 || value > 0; value /= 10)
                digits[count++] = static_cast<char>('0' + value % 10);
            while (count > 0) put(digits[--count]);
            i += 7;
        } else {
            put(text[i]);
        }
    }
    return n;
}

std::string signalName(int number) {
    switch (number) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
#ifdef SIGHUP
        case SIGHUP:
            return "SIGHUP";
#endif
#ifdef SIGBREAK
        case SIGBREAK:
            return "SIGBREAK";
#endif
        default:
            break;
    }
    return "signal " + std::to_string(number);
}

}  // namespace tivra::cli

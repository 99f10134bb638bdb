// Build-only: tables of the manual computed by the program's own rules, so that the manual says
// what the program does. Writes the table of checking.html's baud rates to standard output:
//   tivra_manual_tables rates

#include <cstdio>
#include <cstring>
#include <string>

#include "config/validation.h"
#include "config/value_lists.h"

namespace {

// Rates people type: the window's list, the common ones of serial devices, and some between.
constexpr int32_t TYPED[] = {110,    300,    600,    1200,   2400,   3000,   4800,   7200,
                             9600,   14400,  19200,  28800,  31250,  38400,  56000,  57600,
                             64000,  76800,  100000, 115200, 128000, 153600, 200000, 230400,
                             250000, 256000, 300000, 400000, 460800};

// 921600 / n to four places, without trailing zeros: "110.0024", "3001.9544", "57600".
std::string exactly(int32_t n) {
    const long long tenThousandths = (static_cast<long long>(tivra::BAUD_BASE) * 10000 + n / 2) / n;
    std::string text = std::to_string(tenThousandths / 10000);
    std::string fraction = std::to_string(10000 + tenThousandths % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

void printRates() {
    std::puts("<table class=\"rates\">");
    std::puts("<tr><th>Typed</th><th>Becomes</th><th>n</th><th>921600 / n exactly</th></tr>");
    for (const int32_t rate : TYPED) {
        const int32_t n = tivra::baudDivisor(rate);
        std::printf("<tr><td>%d</td><td>%d</td><td>%d</td><td>%s</td></tr>\n", rate,
                    tivra::snapBaudrate(rate), n, exactly(n).c_str());
    }
    std::printf(
        "<tr><td>every rate above %d</td><td>refused</td><td colspan=\"2\">\"Invalid Baudrate\" on"
        " a switched-on channel; a switched-off channel gets 9600 at both ends</td></tr>\n",
        tivra::MAX_BAUDRATE);
    std::puts("</table>");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "rates") == 0) {
        printRates();
        return 0;
    }
    std::fputs("usage: tivra_manual_tables rates\n", stderr);
    return 2;
}

#include "config/validation.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "config/config_texts.h"
#include "config/controls.h"
#include "config/form_transfer.h"
#include "config/headless_setup.h"
#include "config/number_text.h"
#include "config/value_lists.h"

namespace tivra {

namespace {

constexpr int32_t COMPLETION_BAUDRATE = 9600;
constexpr int8_t COMPLETION_MODE = 0;  // "232"
constexpr int8_t COMPLETION_PRIORITY = 5;
constexpr int16_t COMPLETION_CHUNKSIZE = 50;

bool usableBaudrate(int32_t rate) {
    return rate >= 1 && rate <= MAX_BAUDRATE;
}

bool portInRange(int32_t port) {
    return port >= 0 && port < PORT_COUNT;
}

// The first problem of a switched-on channel, if any.
bool checkEnabledChannel(const ChannelConfig& c, ChannelProblem& problem) {
    if (c.sensorType < 0) {
        problem = ChannelProblem::Sensor;
    } else if (c.localPort < 0 || c.remotePort < 0) {
        problem = ChannelProblem::Port;
    } else if (!usableBaudrate(c.localBaudrate) || !usableBaudrate(c.remoteBaudrate)) {
        problem = ChannelProblem::Baudrate;
    } else if (c.localMode < 0 || c.remoteMode < 0) {
        problem = ChannelProblem::Mode;
    } else if (c.priority < 1) {
        problem = ChannelProblem::Priority;
    } else if (c.chunksize < 1 || c.chunksize > MAX_CHUNKSIZE) {
        problem = ChannelProblem::Chunksize;
    } else {
        return true;
    }
    return false;
}

// Fills in what a switched-off channel left blank; only its ports can make it fail.
bool completeDisabledChannel(ChannelConfig& c, ChannelProblem& problem) {
    if (c.sensorType < 0) c.sensorType = SENSOR_GP_LIMIT;
    if (c.localPort < 0 || c.remotePort < 0) {
        problem = ChannelProblem::Port;
        return false;
    }
    if (!usableBaudrate(c.localBaudrate) || !usableBaudrate(c.remoteBaudrate)) {
        c.localBaudrate = COMPLETION_BAUDRATE;
        c.remoteBaudrate = COMPLETION_BAUDRATE;
    }
    if (c.localMode < 0 || c.remoteMode < 0) {
        c.localMode = COMPLETION_MODE;
        c.remoteMode = COMPLETION_MODE;
    }
    if (c.priority < 1 && c.sensorType == SENSOR_GP_LIMIT) c.priority = COMPLETION_PRIORITY;
    if (c.chunksize < 1 && c.sensorType == SENSOR_GP_LIMIT) c.chunksize = COMPLETION_CHUNKSIZE;
    return true;
}

// An operator that is told nothing and asked nothing.
class SilentOperator final : public Operator {
  public:
    void message(const std::string&, const std::string&) override {}
    bool question(const std::string&, const std::string&) override { return false; }
    std::string chooseFileToOpen(const std::string&, const std::string&) override { return {}; }
    std::string chooseFileToSave(const std::string&, const std::string&) override { return {}; }
    void setWindowTitle(const std::string&) override {}
};

int32_t fail(Operator& ui, std::string_view title, const std::string& text) {
    ui.message(std::string(title), text);
    return -1;
}

}  // namespace

int32_t validateConfiguration(ProgramState& state, ConfigForm& form, Operator& ui) {
    MuxConfiguration& config = state.configuration;
    formToConfiguration(form, config);

    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig& c = config.channel(n);
        ChannelProblem problem{};
        const bool ok =
            c.enabled != 0 ? checkEnabledChannel(c, problem) : completeDisabledChannel(c, problem);
        if (!ok) return fail(ui, channelProblemTitle(problem), channelProblemText(problem, n));
    }

    // Every channel owns its ports, switched on or not, so each board port is used exactly once.
    for (int j = 1; j <= CHANNEL_COUNT; ++j) {
        for (int k = 1; k <= CHANNEL_COUNT; ++k) {
            if (k == j) continue;
            if (config.channel(k).localPort == config.channel(j).localPort)
                return fail(ui, LOCAL_PORT_CONFLICT_TITLE, localPortConflictText(j, k));
            if (config.channel(k).remotePort == config.channel(j).remotePort)
                return fail(ui, REMOTE_PORT_CONFLICT_TITLE, remotePortConflictText(j, k));
        }
    }

    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig& c = config.channel(n);
        c.localBaudrate = snapBaudrate(c.localBaudrate);
        form.setText(controlId(n, OFFSET_LOCAL_BAUDRATE), decimalOfField(c.localBaudrate));
        c.remoteBaudrate = snapBaudrate(c.remoteBaudrate);
        form.setText(controlId(n, OFFSET_REMOTE_BAUDRATE), decimalOfField(c.remoteBaudrate));
    }

    buildPortTables(state);
    return 0;
}

std::optional<MuxConfiguration> configurationAsSent(const MuxConfiguration& opened) {
    ProgramState state;
    state.configuration = opened;
    HeadlessForm form = headlessFormShowing(opened);
    SilentOperator ui;
    if (validateConfiguration(state, form, ui) != 0) return std::nullopt;
    return state.configuration;
}

int32_t snapBaudrate(int32_t rate) {
    // Outside 1..BAUD_BASE/2 one of the divisors below would be 0. The nearest rate of the form
    // BAUD_BASE / n (n >= 2) is then the highest one, or 0 (n beyond BAUD_BASE) for no rate.
    if (rate < 1) return 0;
    if (rate > MAX_BAUDRATE) return MAX_BAUDRATE;
    return BAUD_BASE / baudDivisor(rate);
}

int32_t baudDivisor(int32_t rate) {
    const int32_t d = BAUD_BASE / rate;  // at least 2
    const auto distance = [rate](int32_t divisor) { return std::abs(BAUD_BASE / divisor - rate); };
    const int32_t below = distance(d - 1);
    const int32_t at = distance(d);
    const int32_t above = distance(d + 1);
    const int32_t nearest = std::min({below, at, above});
    // On a tie the larger divisor beats d, which gives the lower rate (991 -> 990).
    int32_t chosen = d;
    if (below == nearest)
        chosen = d - 1;
    else if (above == nearest)
        chosen = d + 1;
    return chosen;
}

void buildPortTables(ProgramState& state) {
    const MuxConfiguration& config = state.configuration;
    // A record that passed the checks has every port in range; anything else is skipped rather
    // than written outside the tables.
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& c = config.channel(n);
        if (portInRange(c.localPort))
            state.localPortTable[static_cast<size_t>(c.localPort)] = {
                c.enabled, c.sensorType, c.localBaudrate, c.localMode, c.priority, c.chunksize};
        if (portInRange(c.remotePort))
            state.remotePortTable[static_cast<size_t>(c.remotePort)] = {
                c.enabled, c.sensorType, c.remoteBaudrate, c.remoteMode, c.priority, c.chunksize};
    }
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& c = config.channel(n);
        if (portInRange(c.localPort))
            state.portRouting[static_cast<size_t>(c.localPort)] = c.remotePort;
    }
}

}  // namespace tivra

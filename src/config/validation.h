#pragma once
// The gate in front of every Save and every board write.

#include <cstdint>
#include <optional>

#include "config/config_form.h"
#include "config/operator.h"
#include "config/program_state.h"
#include "config/value_lists.h"

namespace tivra {

// Reads the form, checks and completes the record, snaps and shows the baud rates and rebuilds
// the board-side tables. 0 when valid; -1 after showing the first problem.
int32_t validateConfiguration(ProgramState& state, ConfigForm& form, Operator& ui);
// What Save writes and a board write sends of a record as Open put it on a blank form: the record
// read back from that form, checked, completed and snapped as validateConfiguration does it, with
// no message shown. nullopt when the check refuses it.
std::optional<MuxConfiguration> configurationAsSent(const MuxConfiguration& opened);
// The highest rate of the form BAUD_BASE / n with n of at least 2. Above it snapBaudrate's
// divisors would reach 0, so such rates are refused (switched on) or replaced (switched off).
inline constexpr int32_t MAX_BAUDRATE = BAUD_BASE / 2;
// The nearest rate of the form 921600 / n.
int32_t snapBaudrate(int32_t rate);
// The n of that rate, for a rate of 1 to MAX_BAUDRATE; on a tie the larger n (the lower rate).
int32_t baudDivisor(int32_t rate);
// Per-port tables and routing from a record that has passed the checks.
void buildPortTables(ProgramState& state);

}  // namespace tivra

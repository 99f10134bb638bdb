#pragma once
// Turning what the boards reported back into the channel view.

#include "config/config_form.h"
#include "config/operator.h"
#include "config/program_state.h"

namespace tivra {

// Rebuilds the record from the board-side tables, shows it, and warns once when the two ends of
// any channel disagree. True when they all agree (no warning shown).
bool configurationFromBoards(ProgramState& state, ConfigForm& form, Operator& ui);

}  // namespace tivra

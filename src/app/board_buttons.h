#pragma once
// What the two board buttons do.

#include "link/board_protocol.h"

namespace tivra {

// "Read Configuration": the LocalBoard, then the RemoteBoard whatever the first result; then the
// configuration is rebuilt from the tables only when at least one read brought something new.
// With both reads failed the rebuild would replace the operator's unsaved work with stale or
// zero-filled tables, so the form is left alone.
void readConfigurationButton(BoardContext& context);

// "Write Configuration": the LocalBoard, then the RemoteBoard whatever the first result; each
// write validates the form first.
void writeConfigurationButton(BoardContext& context);

}  // namespace tivra

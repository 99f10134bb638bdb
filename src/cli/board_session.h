#pragma once
// What the board commands share: the --bridge option and the bridge it names.

#include <memory>
#include <string>
#include <vector>

#include "boards/bridge_choice.h"
#include "cli/arguments.h"
#include "cli/command.h"
#include "link/usb_bridge.h"

namespace tivra::cli {

// --bridge WHICH, the same values as TIVRA_BRIDGE.
inline constexpr OptionSpec BRIDGE_OPTION = {"bridge", 0, true};
// --trace: every bridge library call on standard error as it is made.
inline constexpr OptionSpec TRACE_OPTION = {"trace", 0, false};

// The reasons the bridge gave in this run why a device or server it names could not be used, as
// printed on standard error ("10.0.0.5:2001: connection refused"): for the JSON documents.
std::vector<std::string>& bridgeReasons();

// The bridge that --bridge names when given, else TIVRA_BRIDGE; false with error set when the
// value is refused.
bool commandBridgeChoice(const Arguments& arguments, BridgeChoice& choice, std::string& error);
// The bridge of --bridge when given, else of TIVRA_BRIDGE; nullptr with error set when the value
// is refused or the bridge is not available here. Why a named serial device would not open is
// said on standard error for the command ("tivractl read: /dev/pts/3: in use by another
// program"). With --trace, the bridge is wrapped so that each call is printed as "bridge: CALL".
std::unique_ptr<UsbBridge> commandBridge(const Command& command, const Arguments& arguments,
                                         std::string& error);
// Says why no bridge was made: a wrong --bridge is the command line's fault (with the pointer to
// the help), a wrong TIVRA_BRIDGE the environment's. STATUS_UNUSABLE.
int bridgeError(const Command& command, const Arguments& arguments, const std::string& error);

}  // namespace tivra::cli

#pragma once
// Ready-made headless forms: the blank form of start-up, or one showing a whole configuration.

#include "config/channel_config.h"
#include "config/headless_form.h"

namespace tivra {

// Lists filled, nothing selected, every data control disabled: the form right after start-up.
HeadlessForm blankHeadlessForm();
// The blank form after showConfiguration of the given record.
HeadlessForm headlessFormShowing(const MuxConfiguration& configuration);

}  // namespace tivra

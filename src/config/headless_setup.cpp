#include "config/headless_setup.h"

#include "config/form_transfer.h"
#include "config/value_lists.h"

namespace tivra {

HeadlessForm blankHeadlessForm() {
    HeadlessForm form;
    fillValueLists(form);
    return form;
}

HeadlessForm headlessFormShowing(const MuxConfiguration& configuration) {
    HeadlessForm form = blankHeadlessForm();
    showConfiguration(configuration, form);
    return form;
}

}  // namespace tivra

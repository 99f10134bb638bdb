#include "config/headless_form.h"

#include <memory>

#include "support/config_form_behaviour.h"

TIVRA_INSTANTIATE_CONFIG_FORM_BEHAVIOUR(HeadlessForm,
                                        [] { return std::make_unique<tivra::HeadlessForm>(); })

#pragma once
// The behaviour every ConfigForm must show: the form operations the editor relies on, the blank
// form that fillValueLists leaves, the field-enabling rule and the form/record transfer, all run
// through the form under test; and the rows' enabled states, for tests of the window too.
//
// A test program instantiates the suite for its own form with
//
//     TIVRA_INSTANTIATE_CONFIG_FORM_BEHAVIOUR(QtForm, [] { return makeQtForm(); })
//
// at file scope (it opens namespace tivra::test itself).
//
// The factory returns a new form with the control ids and kinds of controls.h, empty lists,
// nothing checked, selected or typed, and every control enabled (the state before
// fillValueLists).

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/channel_config.h"
#include "config/config_form.h"
#include "config/controls.h"

namespace tivra::test {

// What each row lets the operator touch, enable box first ('1' enabled): nothing but the box,
// offsets +1..+7, or all nine.
inline const std::string OFF = "1000000000", ON = "1111111100", ON_GENERAL_PURPOSE = "1111111111";

inline std::vector<std::string> enabling(const ConfigForm& form) {
    std::vector<std::string> rows(CHANNEL_COUNT);
    for (int id = 1; id <= 80; ++id)
        rows[static_cast<size_t>(channelOfControl(id) - 1)] += form.isEnabled(id) ? '1' : '0';
    return rows;
}

using ConfigFormFactory = std::function<std::unique_ptr<ConfigForm>()>;

class ConfigFormBehaviour : public ::testing::TestWithParam<ConfigFormFactory> {
  protected:
    void SetUp() override { form_ = GetParam()(); }

    std::unique_ptr<ConfigForm> form_;
    ConfigForm& form() { return *form_; }
    std::string text(int channel, int offset) { return form_->text(controlId(channel, offset)); }
};

// Names the instantiated tests; defined beside the tests, so naming it links them in.
std::string configFormBehaviourName(const ::testing::TestParamInfo<ConfigFormFactory>& info);

}  // namespace tivra::test

// The suite is instantiated inside tivra::test, where gtest wants its unqualified name; the
// factory is everything after the name, so commas in it need no extra parentheses.
#define TIVRA_INSTANTIATE_CONFIG_FORM_BEHAVIOUR(Name, ...)                                     \
    namespace tivra::test {                                                                    \
    INSTANTIATE_TEST_SUITE_P(Name, ConfigFormBehaviour,                                        \
                             ::testing::Values(::tivra::test::ConfigFormFactory(__VA_ARGS__)), \
                             ::tivra::test::configFormBehaviourName);                          \
    }

#pragma once
// The behaviour every ConfigForm must show: the form operations the editor relies on, the blank
// form that fillValueLists leaves, the field-enabling rule and the form/record transfer, all run
// through the form under test.
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

#include "config/config_form.h"
#include "config/controls.h"

namespace tivra::test {

using ConfigFormFactory = std::function<std::unique_ptr<ConfigForm>()>;

class ConfigFormBehaviour : public ::testing::TestWithParam<ConfigFormFactory> {
  protected:
    void SetUp() override;

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

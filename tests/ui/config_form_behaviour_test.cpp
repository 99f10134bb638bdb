// The window's form held to the same behaviour as the headless form.

#include "support/config_form_behaviour.h"

#include <memory>

#include "ui/main_window.h"
#include "ui/qt_config_form.h"

namespace {

// A Qt form over a window of its own, as the suite wants a fresh form for every test; the window
// goes after the form.
struct WindowForm : std::unique_ptr<tivra::MainWindow>, tivra::QtConfigForm {
    WindowForm()
        : std::unique_ptr<tivra::MainWindow>(std::make_unique<tivra::MainWindow>()),
          QtConfigForm(*get()) {}
};

}  // namespace

TIVRA_INSTANTIATE_CONFIG_FORM_BEHAVIOUR(QtWindow, [] {
    return std::unique_ptr<tivra::ConfigForm>(std::make_unique<WindowForm>());
})

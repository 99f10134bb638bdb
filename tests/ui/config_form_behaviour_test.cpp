// The window's form held to the same behaviour as the headless form.

#include "support/config_form_behaviour.h"

#include <memory>

#include "ui/main_window.h"
#include "ui/qt_config_form.h"

namespace {

// A Qt form over a window of its own, as the suite wants a fresh form for every test.
class WindowForm : public tivra::QtConfigForm {
  public:
    explicit WindowForm(std::unique_ptr<tivra::MainWindow> window)
        : QtConfigForm(*window), window_(std::move(window)) {}

  private:
    std::unique_ptr<tivra::MainWindow> window_;
};

std::unique_ptr<tivra::ConfigForm> makeWindowForm() {
    return std::make_unique<WindowForm>(std::make_unique<tivra::MainWindow>());
}

}  // namespace

TIVRA_INSTANTIATE_CONFIG_FORM_BEHAVIOUR(QtWindow, [] { return makeWindowForm(); })

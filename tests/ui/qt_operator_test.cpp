// The real message boxes, found while they are up and answered like an operator would. The
// file dialogs: file_dialog_*_test.cpp; the window title through the real operator:
// operator_input_test.cpp.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <tuple>

#include "operator_bench.h"

namespace tivra::test {
namespace {

TEST_F(QtOperatorTest, BoxesHaveTitleTextTheirButtonsNoIconAndTheArrow) {
    using Box = QMessageBox;
    const std::tuple<const char*, const char*, Box::StandardButtons, Box::StandardButton> cases[] =
        {
            {"USB Fault ", "Please Check Cables", Box::Ok, Box::Ok},  // the blank stays
            {"", "Quorvantel Ostrel RK-2 Version " TIVRA_VERSION, Box::Ok, Box::Ok},
            {"Read Error", "Load Default Values?", Box::Yes | Box::No, Box::Yes},
            {"Read Error", "Load Default Values?", Box::Yes | Box::No, Box::No},
        };
    // An exchange's wait cursor is up; every box shows the arrow and gives the wait cursor back.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const auto& [title, text, buttons, answer] : cases) {
        // "title|text|buttons", then anything else that is off.
        std::string seen;
        whenModal<Box>([&](Box* box) {
            seen = box->windowTitle().toStdString() + '|' + box->text().toStdString() + '|' +
                   std::to_string(box->standardButtons().toInt());
            if (box->icon() != Box::NoIcon || box->textFormat() != Qt::PlainText ||
                box->windowModality() != Qt::ApplicationModal || box->parentWidget() != &window ||
                QApplication::overrideCursor()->shape() != Qt::ArrowCursor)
                seen += " with icon, rich text, another modality, parent or cursor";
            box->button(answer)->click();
        });
        if (buttons == Box::Ok)
            ui.message(title, text);
        else
            EXPECT_EQ(ui.question(title, text), answer == Box::Yes);
        EXPECT_EQ(seen, std::string(title) + '|' + text + '|' + std::to_string(buttons.toInt()));
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QApplication::restoreOverrideCursor();
}

}  // namespace
}  // namespace tivra::test

#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <stdexcept>
#include <string>

#include "config/channel_config.h"
#include "config/controls.h"
#include "ui/compact_combo_style.h"
#include "ui/drop_down_list.h"
#include "ui/enable_box.h"
#include "ui/form_layout.h"
#include "ui/program_icon.h"
#include "ui/ui_texts.h"
#include "ui/window_font.h"

namespace tivra {

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect rectOf(const form_layout::Box& box) {
    return {box.x, box.y, box.width, box.height};
}

}  // namespace

MainWindow::MainWindow() {
    CompactComboStyle::install();
    // Title bar with the system menu, minimise and close; no maximise, no sizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(qtText(ui_texts::MAIN_WINDOW_TITLE));
    setWindowIcon(programIcon());
    // Hover texts also for a window that is not the active one.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFont(windowFont());

    clientArea_ = new QWidget(this);
    clientArea_->setFixedSize(form_layout::CLIENT_WIDTH, form_layout::CLIENT_HEIGHT);
    setCentralWidget(clientArea_);

    createFrames();
    createHeadings();
    for (int channel = 1; channel <= CHANNEL_COUNT; ++channel) createRow(channel);
    createButtons();

    // The menu bar's room is part of the window from the start; the application fills the bar.
    setFixedSize(form_layout::CLIENT_WIDTH, form_layout::CLIENT_HEIGHT + menuBarHeight());
    centreOnScreen();
}

// The window's own bar, in the window's font, as tall as it will be once it has its menus.
int MainWindow::menuBarHeight() {
    QMenuBar* bar = menuBar();
    QAction probe(QStringLiteral("X"));
    bar->addAction(&probe);
    const int height = bar->sizeHint().height();
    bar->removeAction(&probe);
    return height;
}

// Centred by its outer size, which the desktop makes known only once it has framed the window.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (centredByFrame_ || frameGeometry().size() == size()) return;
    centredByFrame_ = true;
    centreOnScreen();
}

void MainWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size().boundedTo(area.size());
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

void MainWindow::remember(int id, QWidget* widget) {
    widget->setProperty(CONTROL_ID_PROPERTY, id);
    widget->setObjectName(QStringLiteral("control%1").arg(id));
    // Frame 0 and the row controls share no ids, so one table holds them all.
    controls_.at(static_cast<size_t>(id)) = widget;
}

void MainWindow::createFrames() {
    for (const auto& frame : form_layout::FRAMES) {
        auto* box = new QGroupBox(qtText(frame.title), clientArea_);
        box->setGeometry(rectOf(frame.box));
        remember(frame.id, box);
    }
}

// A control lies in the frame drawn around it (a drop-down by its closed place), so that the frame
// holds it for a screen reader
// ("Local Ports", then its lists); the buttons lie below the frames, in the client area. The
// order of creation stays that of the layout tables, which is the keyboard's order.
QWidget* MainWindow::holderOf(const QRect& inClientArea) const {
    for (const auto& frame : form_layout::FRAMES)
        if (rectOf(frame.box).contains(inClientArea.topLeft())) return control(frame.id);
    return clientArea_;
}

void MainWindow::place(QWidget* widget, const QRect& inClientArea) const {
    QWidget* holder = widget->parentWidget();
    widget->setGeometry(holder == clientArea_ ? inClientArea
                                              : inClientArea.translated(-holder->pos()));
}

void MainWindow::createHeadings() {
    for (const auto& heading : form_layout::HEADINGS) {
        auto* label = new QLabel(qtText(heading.text), holderOf(rectOf(heading.box)));
        place(label, rectOf(heading.box));
        label->setAlignment((heading.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        remember(heading.id, label);
    }
}

void MainWindow::createRow(int channel) {
    const int y = form_layout::rowY(channel);
    for (int offset = 0; offset < FIELD_COUNT; ++offset) {
        const auto& spot = form_layout::ROW_CONTROLS.at(static_cast<size_t>(offset));
        const QRect box(spot.x, y, spot.width, spot.height);
        QWidget* holder = holderOf(box);
        const int id = controlId(channel, offset);
        QWidget* widget = nullptr;
        switch (controlKindOfOffset(offset)) {
            case ControlKind::CheckBox: {
                auto* enable = new EnableBox(QString::number(channel), holder);
                place(enable, box);
                // clicked() comes from the operator only (mouse or space bar), never from
                // setChecked.
                QObject::connect(enable, &QCheckBox::clicked, this, [this, id] { report(id); });
                widget = enable;
                break;
            }
            case ControlKind::List:
            case ControlKind::EditableList: {
                auto* list = new DropDownList(
                    spot.height, controlKindOfOffset(offset) == ControlKind::EditableList, holder);
                place(list, QRect(spot.x, y, spot.width, list->sizeHint().height()));
                if (offset == OFFSET_SENSOR_TYPE) {
                    // activated() is the operator's choice; selections made by the program
                    // are not reported.
                    QObject::connect(list, &QComboBox::activated, this, [this, id] { report(id); });
                }
                widget = list;
                break;
            }
            case ControlKind::TextField: {
                auto* field = new QLineEdit(holder);
                place(field, box);
                widget = field;
                break;
            }
        }
        // What a screen reader says it is: the hover text, which names the channel and the field
        // ("Channel 3 Local Baudrate"), and "Enable Channel N" for the enable boxes. Unlike the
        // value shown, the name never changes.
        widget->setToolTip(QString::fromStdString(ui_texts::rowHoverText(channel, offset)));
        widget->setAccessibleName(offset == OFFSET_ENABLED
                                      ? QStringLiteral("Enable Channel %1").arg(channel)
                                      : widget->toolTip());
        // An editable list's edit field is what takes the focus: it carries the list's name.
        if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr && list->lineEdit())
            list->lineEdit()->setAccessibleName(widget->accessibleName());
        remember(id, widget);
    }
}

void MainWindow::createButtons() {
    for (const auto& layout : form_layout::BUTTONS) {
        auto* button = new QPushButton(qtText(layout.caption), holderOf(rectOf(layout.box)));
        place(button, rectOf(layout.box));
        button->setToolTip(qtText(layout.hover));
        button->setAutoDefault(false);
        const int id = layout.id;
        QObject::connect(button, &QPushButton::clicked, this, [this, id] { report(id); });
        remember(id, button);
    }
}

void MainWindow::report(int id) const {
    if (controlHandler_) controlHandler_(id);
}

QWidget* MainWindow::control(int id) const {
    if (id < 0 || id >= static_cast<int>(controls_.size()) ||
        controls_[static_cast<size_t>(id)] == nullptr)
        throw std::out_of_range("no control with id " + std::to_string(id));
    return controls_[static_cast<size_t>(id)];
}

QCheckBox* MainWindow::enableBox(int id) const {
    return qobject_cast<QCheckBox*>(control(id));
}
QComboBox* MainWindow::list(int id) const {
    return qobject_cast<QComboBox*>(control(id));
}
QLineEdit* MainWindow::textField(int id) const {
    return qobject_cast<QLineEdit*>(control(id));
}
QPushButton* MainWindow::button(int id) const {
    return qobject_cast<QPushButton*>(control(id));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closeHandler_) closeHandler_();
}

}  // namespace tivra

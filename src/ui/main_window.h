#pragma once
// The main window: four frames, ten headings, eight channel rows and the two board buttons, all
// at fixed places in a 739 x 354 client area below the menu bar. Every control carries its id in
// the property "controlId"; the window reports the control events the program acts on.

#include <QMainWindow>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tivra {

// The dynamic property that holds a control's id.
inline constexpr const char* CONTROL_ID_PROPERTY = "controlId";

class MainWindow : public QMainWindow {
  public:
    // Control events: an enable box changed or a sensor type chosen by the operator, a button
    // pressed. Changes made by the program itself are not reported.
    using ControlHandler = std::function<void(int controlId)>;
    using CloseHandler = std::function<void()>;

    // Built hidden, centred on the primary screen (again by its frame once the desktop has
    // framed it), with an empty menu bar that the application fills.
    MainWindow();

    void setControlHandler(ControlHandler handler) { controlHandler_ = std::move(handler); }
    // The close box (or Alt+F4): the window closes and the handler runs.
    void setCloseHandler(CloseHandler handler) { closeHandler_ = std::move(handler); }

    // Any control by id: frames and headings (0, 81..93), row controls (1..80), buttons (94, 95).
    QWidget* control(int id) const;
    QCheckBox* enableBox(int id) const;
    QComboBox* list(int id) const;  // both kinds of drop-down
    QLineEdit* textField(int id) const;
    QPushButton* button(int id) const;

    // The 739 x 354 area that holds the controls.
    QWidget* clientArea() const { return clientArea_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void createFrames();
    void createHeadings();
    void createRow(int channel);
    void createButtons();
    // The frame drawn around a box of the client area, or the client area itself.
    QWidget* holderOf(const QRect& inClientArea) const;
    // Puts a widget made in its holder at its place in the client area.
    void place(QWidget* widget, const QRect& inClientArea) const;
    void remember(int id, QWidget* widget);
    void report(int id) const;
    int menuBarHeight();
    void centreOnScreen();

    QWidget* clientArea_ = nullptr;
    bool centredByFrame_ = false;
    std::array<QWidget*, 96> controls_{};
    ControlHandler controlHandler_;
    CloseHandler closeHandler_;
};

}  // namespace tivra

// Build-only tool: the pictures of the operator's manual, taken offscreen from the real window,
// splash and message boxes, so that no picture in the manual can show an older program.
//
//   tivra_pictures OUTPUT_FOLDER EXAMPLE CONFLICTING_EXAMPLE
//
// Writes window-start.png, window.png (EXAMPLE opened as from the command line),
// window-annotated.png (the same with numbered callouts, explained in window.html), splash.png,
// box-port-conflict.png (the check of CONFLICTING_EXAMPLE), box-read-error.png (opening a file
// that does not exist) and box-success.png (the first box of a write to the simulated boards).

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <deque>

#include "app/menu_bar.h"
#include "app/splash_clock.h"
#include "app/splash_screen.h"
#include "config/controls.h"
#include "config/program_state.h"
#include "config/validation.h"
#include "config/value_lists.h"
#include "files/file_commands.h"
#include "link/board_protocol.h"
#include "sim/simulated_bridge.h"
#include "ui/main_window.h"
#include "ui/qt_config_form.h"
#include "ui/qt_operator.h"

namespace tivra {

namespace {

// The height of the title bar that framed() draws.
int titleBarHeight() {
    return QFontMetrics(QApplication::font()).height() + 8;
}

// Offscreen windows have no frame; the manual's pictures get a plain one with the real title,
// since titles such as "USB Fault " are what the operator looks up.
QImage framed(QWidget& widget) {
    const QPixmap content = widget.grab();
    const int bar = titleBarHeight();
    QImage image(content.width() + 2, content.height() + bar + 1, QImage::Format_RGB32);
    image.fill(QColor(0x70, 0x78, 0x84));
    QPainter painter(&image);
    painter.fillRect(1, 1, content.width(), bar - 1, QColor(0xd6, 0xdc, 0xe4));
    painter.setFont(QApplication::font());
    painter.setPen(Qt::black);
    painter.drawText(QRect(8, 1, content.width() - 16, bar - 1), Qt::AlignVCenter | Qt::AlignLeft,
                     widget.windowTitle());
    painter.drawPixmap(1, bar, content);
    return image;
}

// The window as framed() drew it, with numbered marks on its parts, in the order window.html
// explains them: 1 the title, 2 the menus, 3 channel 4's row, 4 the enable boxes, 5 the sensor
// types, 6 to 8 the frames of the LocalBoard, the RemoteBoard and the general-purpose sensors, 9
// and 10 the buttons.
QImage annotated(MainWindow& window, QImage image) {
    const QPoint content(1, titleBarHeight());  // where framed() put the window
    const auto at = [&](QWidget* widget) {
        return QRect(widget->mapTo(&window, QPoint(0, 0)) + content, widget->size());
    };
    QWidget* menus = window.menuWidget();
    const QRect row(
        at(window.control(controlId(4, OFFSET_ENABLED))).topLeft() - QPoint(4, 3),
        at(window.control(controlId(4, OFFSET_CHUNKSIZE))).bottomRight() + QPoint(4, 3));
    // The enable boxes and the sensor types as columns, numbered below the last row, where the
    // numbers hide nothing.
    const auto column = [&](int offset) {
        return at(window.control(controlId(1, offset)))
            .united(at(window.control(controlId(CHANNEL_COUNT, offset))))
            .adjusted(-2, -2, 2, 2);
    };
    const QRect marks[] = {
        QRect(0, 0, image.width(), content.y()),
        menus != nullptr ? at(menus) : QRect(),
        row,
        column(OFFSET_ENABLED),
        column(OFFSET_SENSOR_TYPE),
        at(window.control(0)),
        at(window.control(84)),
        at(window.control(89)),
        at(window.control(READ_BUTTON_ID)),
        at(window.control(WRITE_BUTTON_ID)),
    };
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont bold = QApplication::font();
    bold.setBold(true);
    bold.setPointSizeF(std::min(bold.pointSizeF(), 8.0));
    painter.setFont(bold);
    const QColor mark(0xc0, 0x10, 0x20);
    int number = 0;
    for (const QRect& target : marks) {
        ++number;
        if (target.isNull()) continue;
        painter.setPen(QPen(mark, 2));
        painter.setBrush(Qt::NoBrush);
        if (number != 1) painter.drawRect(target.adjusted(0, 0, -1, -1));
        // The number in a disc at the mark's right end, inside the picture; below a column.
        const int radius = 10;
        const bool below = number == 4 || number == 5;
        const QPoint centre =
            below ? QPoint(target.center().x(), target.bottom() + radius - 1)
                  : QPoint(std::min(target.right() - radius - 2, image.width() - radius - 1),
                           std::max(target.top() + radius + 1, radius + 1));
        painter.setBrush(mark);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(centre, radius, radius);
        painter.setPen(Qt::white);
        painter.drawText(QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                         Qt::AlignCenter, QString::number(number));
    }
    return image;
}

bool save(const QImage& image, const QString& file) {
    if (image.save(file, "PNG")) return true;
    std::fprintf(stderr, "tivra_pictures: cannot write %s\n", qPrintable(file));
    return false;
}

// Photographs the message boxes as they show, in order, and answers each with its default
// button; an empty name answers without a picture.
class BoxCamera : public QObject {
  public:
    explicit BoxCamera(QString folder) : folder_(std::move(folder)) {
        qApp->installEventFilter(this);
    }
    // The boxes the next operation shows; every box of the one before must have come.
    void expect(std::initializer_list<QString> names) {
        ok_ = ok_ && names_.empty();
        names_.assign(names);
    }
    bool ok() const { return ok_ && names_.empty(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show)
            QTimer::singleShot(0, box, [this, box] { take(*box); });
        return false;
    }

  private:
    void take(QMessageBox& box) {
        const QString name = names_.empty() ? QString() : names_.front();
        if (!names_.empty()) names_.pop_front();
        if (!name.isEmpty()) ok_ = save(framed(box), folder_ + name) && ok_;
        if (QAbstractButton* button = box.defaultButton()) button->click();
    }

    QString folder_;
    std::deque<QString> names_;
    bool ok_ = true;
};

int takePictures(const QString& folder, const std::string& example,
                 const std::string& conflicting) {
    BoxCamera camera(folder);
    bool ok = true;

    // The window as start-up builds it: blank form, lists filled, menus attached.
    MainWindow window;
    QtConfigForm form(window);
    QtOperator ui(&window);
    fillValueLists(form);
    createMenuBar(window, [](int) {});
    window.show();
    ok = save(framed(window), folder + "window-start.png") && ok;

    ProgramState state{};
    openFromCommandLine(state, form, ui, example);
    const QImage shown = framed(window);
    ok = save(shown, folder + "window.png") && ok;
    ok = save(annotated(window, shown), folder + "window-annotated.png") && ok;

    // The boxes as the operator meets them.
    camera.expect({"box-success.png", ""});
    SimulatedBridge bridge;
    SleepingPause pause;
    BoardContext context{state, form, ui, bridge, pause};
    ok = writeConfigurationToBoards(context) == 0 && ok;

    camera.expect({"box-port-conflict.png"});
    openFromCommandLine(state, form, ui, conflicting);
    ok = validateConfiguration(state, form, ui) != 0 && ok;

    camera.expect({"box-read-error.png"});
    openFromCommandLine(state, form, ui, conflicting + ".missing");
    ok = camera.ok() && ok;

    WallClock clock;
    SplashScreen splash(window, splashImage(), clock);
    ok = save(splash.grab().toImage(), folder + "splash.png") && ok;
    return ok ? 0 : 1;
}

}  // namespace

}  // namespace tivra

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: tivra_pictures OUTPUT_FOLDER EXAMPLE CONFLICTING_EXAMPLE\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + '/';
    QDir().mkpath(folder);
    return tivra::takePictures(folder, argv[2], argv[3]);
}

#include "ui/window_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <array>
#include <string_view>

#include "config/controls.h"
#include "config/value_lists.h"
#include "ui/compact_combo_style.h"
#include "ui/form_layout.h"

namespace tivra {

namespace {

constexpr double SMALLEST_POINTS = 6.0;
// Room a frame's title and a button's caption leave for the text.
constexpr int FRAME_TITLE_MARGIN = 16;
constexpr int BUTTON_MARGIN = 12;

int widthOf(const QFontMetrics& metrics, std::string_view text) {
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

template <size_t N>
bool entriesFit(const QFontMetrics& metrics, const std::array<std::string_view, N>& entries,
                int offset) {
    const int room = CompactComboStyle::textWidth(
        form_layout::ROW_CONTROLS.at(static_cast<size_t>(offset)).width);
    for (std::string_view entry : entries)
        if (widthOf(metrics, entry) > room) return false;
    return true;
}

}  // namespace

bool fixedTextsFit(const QFont& font) {
    const QFontMetrics metrics(font);
    for (const auto& heading : form_layout::HEADINGS)
        if (widthOf(metrics, heading.text) > heading.box.width) return false;
    for (const auto& frame : form_layout::FRAMES)
        if (widthOf(metrics, frame.title) > frame.box.width - FRAME_TITLE_MARGIN) return false;
    for (const auto& button : form_layout::BUTTONS)
        if (widthOf(metrics, button.caption) > button.box.width - BUTTON_MARGIN) return false;
    return entriesFit(metrics, SENSOR_TYPES, OFFSET_SENSOR_TYPE) &&
           entriesFit(metrics, PORT_NAMES, OFFSET_LOCAL_PORT) &&
           entriesFit(metrics, BAUD_RATES, OFFSET_LOCAL_BAUDRATE) &&
           entriesFit(metrics, MODES, OFFSET_LOCAL_MODE) &&
           entriesFit(metrics, PRIORITIES, OFFSET_PRIORITY);
}

QFont fitToLayout(QFont font) {
    while (!fixedTextsFit(font) && font.pointSizeF() - 0.5 >= SMALLEST_POINTS)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QFont windowFont() {
    for (const char* family : {"Liberation Sans", "Arimo", "Arial", "Helvetica"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family)))
            return fitToLayout(QFont(QString::fromLatin1(family), 8));
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return fitToLayout(font);
}

}  // namespace tivra

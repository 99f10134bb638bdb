#include "ui/program_icon.h"

#include <QPixmap>

#include "resources/embedded_resources.h"

namespace tivra {

QIcon programIcon() {
    QPixmap pixmap;
    const auto bytes = resources::programIcon();
    pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "PNG");
    return QIcon(pixmap);
}

}  // namespace tivra

#pragma once
// The program's own icon, compiled into it.

#include <QIcon>

namespace tivra {

QIcon programIcon();

}  // namespace tivra

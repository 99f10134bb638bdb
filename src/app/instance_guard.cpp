#include "app/instance_guard.h"

namespace tivra {

InstanceGuard::~InstanceGuard() {
    release();
}

}  // namespace tivra

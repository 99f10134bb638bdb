#include "files/replacement_file.h"

namespace tivra {

// A target is always replaced; the new file has the access rights of any new one.
ReplacementFile::Preparation ReplacementFile::prepareTarget() {
    return Preparation::Replace;
}

void ReplacementFile::takeOverAttributes() {}

}  // namespace tivra

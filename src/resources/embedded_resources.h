#pragma once
// Pictures compiled into the program (generated from src/resources by the build).

#include <cstddef>
#include <span>

namespace tivra::resources {

extern const unsigned char SPLASH_JPEG[];
extern const std::size_t SPLASH_JPEG_SIZE;
extern const unsigned char PROGRAM_ICON_PNG[];
extern const std::size_t PROGRAM_ICON_PNG_SIZE;

// The splash picture: a baseline JPEG, 320 x 247, three 8-bit components.
inline std::span<const unsigned char> splashPicture() {
    return {SPLASH_JPEG, SPLASH_JPEG_SIZE};
}
// The program icon: a 64 x 64 PNG.
inline std::span<const unsigned char> programIcon() {
    return {PROGRAM_ICON_PNG, PROGRAM_ICON_PNG_SIZE};
}

}  // namespace tivra::resources

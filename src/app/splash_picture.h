#pragma once
// The splash picture decoded from the JPEG bytes compiled into the program.

#include <cstdint>
#include <span>
#include <vector>

namespace tivra {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom

    bool valid() const { return width > 0 && height > 0; }
};

// Decodes a JPEG held in memory into 8-bit RGB. A damaged or unreadable picture gives an empty
// result, never an exit of the program.
DecodedPicture decodeJpeg(std::span<const unsigned char> bytes);

}  // namespace tivra

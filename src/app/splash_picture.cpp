#include "app/splash_picture.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

// jpeglib.h expects size_t and FILE to be declared before it.
#include <jpeglib.h>

namespace tivra {

namespace {

// libjpeg's own error handler ends the process; this one jumps back to the decoder instead.
struct Decoder {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf failed{};
    DecodedPicture picture;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    auto* decoder = static_cast<Decoder*>(info->client_data);
    std::longjmp(decoder->failed, 1);
}

void stayQuiet(j_common_ptr) {}

}  // namespace

DecodedPicture decodeJpeg(std::span<const unsigned char> bytes) {
    if (bytes.empty()) return {};
    // Everything the decoder changes lives behind this pointer, so nothing the jump skips over
    // is left half-made.
    auto decoder = std::make_unique<Decoder>();
    decoder->info.err = jpeg_std_error(&decoder->errors);
    decoder->errors.error_exit = jumpBack;
    decoder->errors.output_message = stayQuiet;
    decoder->info.client_data = decoder.get();

    if (setjmp(decoder->failed) != 0) {
        jpeg_destroy_decompress(&decoder->info);
        return {};
    }
    jpeg_create_decompress(&decoder->info);
    jpeg_mem_src(&decoder->info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decoder->info, TRUE);
    decoder->info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder->info);

    const JDIMENSION width = decoder->info.output_width;
    const JDIMENSION height = decoder->info.output_height;
    const size_t stride = static_cast<size_t>(width) * 3;
    if (decoder->info.output_components != 3) {
        jpeg_destroy_decompress(&decoder->info);
        return {};
    }
    decoder->picture.rgb.assign(stride * height, 0);
    while (decoder->info.output_scanline < height) {
        JSAMPROW row = decoder->picture.rgb.data() + stride * decoder->info.output_scanline;
        jpeg_read_scanlines(&decoder->info, &row, 1);
    }
    jpeg_finish_decompress(&decoder->info);
    jpeg_destroy_decompress(&decoder->info);

    decoder->picture.width = static_cast<int>(width);
    decoder->picture.height = static_cast<int>(height);
    return std::move(decoder->picture);
}

}  // namespace tivra

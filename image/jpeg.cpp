#include "image/jpeg.h"

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <string>

namespace kadro {

JpegError::JpegError(int code)
    : std::runtime_error("JPEG error #" + std::to_string(code)), code_(code) {}

namespace {

constexpr uint64_t kMaxPixels = 16u << 20;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr info) {
    // libjpeg is C: no exception may pass through it, so leave by longjmp and throw outside.
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void ignoreMessage(j_common_ptr, int) {}

// Runs the decompression; returns 0 or the decoder's message code. No object with a destructor
// lives in this frame, so leaving it by longjmp is sound.
int decodeInto(jpeg_decompress_struct& info, ErrorManager& errors, const uint8_t* data, size_t size,
               DecodedImage& image) {
    if (setjmp(errors.jump) != 0) return errors.base.msg_code == 0 ? -1 : errors.base.msg_code;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // A header may claim a picture of gigabytes; nothing this program shows comes near it.
    if (static_cast<uint64_t>(info.image_width) * info.image_height > kMaxPixels) {
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, info.image_width);
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.components = info.num_components;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            image.rgb.data() + static_cast<size_t>(info.output_scanline) * image.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return 0;
}

}  // namespace

DecodedImage decodeJpeg(const uint8_t* data, size_t size) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpOut;
    errors.base.emit_message = ignoreMessage;
    DecodedImage image;
    int code = 0;
    try {
        code = decodeInto(info, errors, data, size, image);
    } catch (...) {
        // The pixel buffer's allocation failed between creating and destroying the decompressor:
        // its memory pools go back all the same.
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_destroy_decompress(&info);
    if (code != 0) throw JpegError(code);
    return image;
}

}  // namespace kadro

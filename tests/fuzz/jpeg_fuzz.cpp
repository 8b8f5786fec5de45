// libFuzzer target: any bytes must end in a decoded image or in the decoder's JpegError.
#include <cstdint>
#include <cstdlib>

#include "image/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const kadro::DecodedImage image = kadro::decodeJpeg(data, size);
        if (image.width <= 0 || image.height <= 0 ||
            image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3) {
            std::abort();
        }
    } catch (const kadro::JpegError&) {
        // The decoder refused the bytes, as it should when they are not a JPEG it can read.
    }
    return 0;
}

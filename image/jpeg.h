#pragma once
// Decoding a JPEG held in memory into 24-bit RGB.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kadro {

struct DecodedImage {
    int width = 0;
    int height = 0;
    int components = 0;        // of the file: 1 grey, 3 colour
    std::vector<uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom
};

// The decoder's failure, with its message code: "JPEG error #<code>".
class JpegError : public std::runtime_error {
public:
    explicit JpegError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// Decodes the bytes, or throws JpegError. Decoder warnings (a damaged scan, say) are ignored
// and the image is returned as far as it could be read. Never ends the process.
DecodedImage decodeJpeg(const uint8_t* data, size_t size);

}  // namespace kadro

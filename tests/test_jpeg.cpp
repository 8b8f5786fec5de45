#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "allocation_hooks.h"
#include "assets/assets.h"
#include "image/jpeg.h"

using namespace kadro;
using kadro::testing::failFrom;

namespace {

std::vector<uint8_t> logoBytes() {
    const auto bytes = assets::logoJpeg();
    return {bytes.begin(), bytes.end()};
}

// The code the decoder failed with, or 0 when it decoded.
int failureCode(const std::vector<uint8_t>& bytes) {
    try {
        decodeJpeg(bytes.data(), bytes.size());
        return 0;
    } catch (const JpegError& error) {
        EXPECT_EQ(std::string(error.what()), "JPEG error #" + std::to_string(error.code()));
        return error.code();
    }
}

}  // namespace

TEST(Logo, DecodesToTheTiledNameInThePaletteColours) {
    const std::vector<uint8_t> bytes = logoBytes();
    const DecodedImage image = decodeJpeg(bytes.data(), bytes.size());
    EXPECT_EQ(image.width, 331);
    EXPECT_EQ(image.height, 130);
    EXPECT_EQ(image.components, 3);
    ASSERT_EQ(image.rgb.size(), 331u * 130u * 3u);
    const int palette[][3] = {{0, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 0, 0}};
    int coloured = 0, stray = 0;
    for (size_t i = 0; i < image.rgb.size(); i += 3) {
        int nearest = 1 << 30, index = 0;
        for (int p = 0; p < 6; ++p) {
            int distance = 0;
            for (int c = 0; c < 3; ++c) distance += std::abs(image.rgb[i + c] - palette[p][c]);
            if (distance < nearest) nearest = distance, index = p;
        }
        // Edges of the tiles blur a little in JPEG; the tiles themselves keep their colours.
        stray += nearest > 90;
        coloured += index != 0 && nearest <= 30;
    }
    EXPECT_LT(stray, int(image.rgb.size() / 3 / 50));
    EXPECT_GT(coloured, 84 * 100 * 8 / 10);  // 84 tiles of 10 x 10, most pixels clean
}

TEST(Jpeg, EmptyTruncatedAndCorruptedBytesRaiseTheDecoderError) {
    EXPECT_NE(failureCode({}), 0);
    const std::vector<uint8_t> logo = logoBytes();
    EXPECT_NE(failureCode({logo.begin(), logo.begin() + 2}), 0);    // only the start marker
    EXPECT_NE(failureCode({logo.begin(), logo.begin() + 100}), 0);  // cut inside the header
    std::vector<uint8_t> notJpeg(1000, 0x42);
    EXPECT_NE(failureCode(notJpeg), 0);
    std::vector<uint8_t> badMarker = logo;
    badMarker[1] = 0x00;  // the start-of-image marker destroyed
    EXPECT_NE(failureCode(badMarker), 0);
}

TEST(Jpeg, DamagedScanDataStillDecodesWithoutFailing) {
    // Warnings from a damaged or cut-off scan are ignored: the image comes back as far as read.
    const std::vector<uint8_t> logo = logoBytes();
    const std::vector<uint8_t> cut(logo.begin(), logo.begin() + logo.size() * 3 / 4);
    const DecodedImage image = decodeJpeg(cut.data(), cut.size());
    EXPECT_EQ(image.width, 331);
    std::vector<uint8_t> flipped = logo;
    for (size_t i = flipped.size() / 2; i < flipped.size() - 2; i += 97) flipped[i] ^= 0x5A;
    try {
        decodeJpeg(flipped.data(), flipped.size());
    } catch (const JpegError&) {
        // Either result is fine; only a crash or another exception is not.
    }
}

TEST(Jpeg, HugeClaimedSizeIsRefused) {
    std::vector<uint8_t> logo = logoBytes();
    // Find the frame header (SOF2) and claim 60000 x 60000 pixels.
    for (size_t i = 0; i + 8 < logo.size(); ++i) {
        if (logo[i] == 0xFF && logo[i + 1] == 0xC2) {
            logo[i + 5] = 0xEA, logo[i + 6] = 0x60, logo[i + 7] = 0xEA, logo[i + 8] = 0x60;
            break;
        }
    }
    EXPECT_NE(failureCode(logo), 0);
}

// The pixel buffer is allocated while the decompressor holds libjpeg's pools; when that fails,
// the pools must still go back (the sanitizer build's leak check sees them too).
TEST(Jpeg, AFailedPixelAllocationLeaksNothing) {
    const std::vector<uint8_t> bytes = logoBytes();
    const DecodedImage image = decodeJpeg(bytes.data(), bytes.size());
    const size_t pixelBytes = image.rgb.size();
    ASSERT_GT(pixelBytes, 4096u);
    auto failedDecodes = [&](int times) {
        failFrom = pixelBytes;
        for (int i = 0; i < times; ++i) EXPECT_THROW(decodeJpeg(bytes.data(), bytes.size()), std::bad_alloc);
        failFrom = 0;
    };
    failedDecodes(1);  // the first may set up what the C library keeps for good
    const size_t before = mallinfo2().uordblks;
    failedDecodes(200);
    const size_t after = mallinfo2().uordblks;
    // libjpeg's pools take some tens of kilobytes a decoder; two hundred leaked would be megabytes.
    EXPECT_LT(after > before ? after - before : 0, 64u * 1024);
}

// The fuzzer's seed inputs, each with what the decoder must make of it.
TEST(Jpeg, TheFuzzCorpusDecodesOrIsRefused) {
    const std::filesystem::path folder = KADRO_FUZZ_CORPUS;
    auto read = [&](const char* name) {
        std::ifstream file(folder / name, std::ios::binary);
        EXPECT_TRUE(file) << name;
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
    };
    for (const char* name : {"baseline.jpg", "progressive.jpg"}) {
        const std::vector<uint8_t> bytes = read(name);
        const DecodedImage image = decodeJpeg(bytes.data(), bytes.size());
        EXPECT_EQ(image.width, 46) << name;
        EXPECT_EQ(image.height, 18) << name;
    }
    EXPECT_NE(failureCode(read("zero-size.jpg")), 0);
    EXPECT_NE(failureCode(read("huge-header.jpg")), 0);
    const std::vector<uint8_t> truncated = read("truncated.jpg");  // decoded as far as it goes
    EXPECT_EQ(decodeJpeg(truncated.data(), truncated.size()).width, 46);
}

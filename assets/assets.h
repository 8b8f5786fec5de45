#pragma once
// Data built into the program: nothing is read from disk at run time.
#include <cstdint>
#include <span>

namespace kadro::assets {

// The logo, a progressive colour JPEG of 331 x 130 pixels.
std::span<const uint8_t> logoJpeg();
// The About window's product text, 32 lines.
std::span<const uint8_t> aboutText();
// The program's icon, 64 x 64 PNG, as the package installs it for the launcher.
std::span<const uint8_t> windowIconPng();

}  // namespace kadro::assets

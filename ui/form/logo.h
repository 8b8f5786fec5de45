#pragma once
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>

// The logo decoded from the bytes built into the program, once per run: the first call decodes,
// and main makes it before any window is shown. If the bytes fail to decode, the failure is
// shown once in the standard message box and the picture stays blank (a null image); the
// program goes on.
const QImage& logoPicture();

// JPEG bytes as a picture. A failure is passed to `report` and gives a null image.
QImage decodePicture(const uint8_t* data, size_t size,
                     const std::function<void(const std::exception&)>& report);

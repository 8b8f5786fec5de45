#pragma once
#include <QImage>

// The logo decoded from the bytes built into the program. Throws kadro::JpegError if they
// ever fail to decode.
QImage logoPicture();

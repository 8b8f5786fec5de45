#include "ui/logo.h"

#include "assets/assets.h"
#include "image/jpeg.h"

QImage logoPicture() {
    const auto bytes = kadro::assets::logoJpeg();
    const kadro::DecodedImage image = kadro::decodeJpeg(bytes.data(), bytes.size());
    return QImage(image.rgb.data(), image.width, image.height, image.width * 3, QImage::Format_RGB888).copy();
}

#include "ui/form/logo.h"

#include "assets/assets.h"
#include "image/jpeg.h"
#include "ui/platform/application.h"

QImage decodePicture(const uint8_t* data, size_t size,
                     const std::function<void(const std::exception&)>& report) {
    try {
        const kadro::DecodedImage image = kadro::decodeJpeg(data, size);
        return QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                      QImage::Format_RGB888)
            .copy();
    } catch (const std::exception& error) {
        report(error);
        return QImage();
    }
}

const QImage& logoPicture() {
    static const QImage picture = [] {
        const auto bytes = kadro::assets::logoJpeg();
        return decodePicture(bytes.data(), bytes.size(), showException);
    }();
    return picture;
}

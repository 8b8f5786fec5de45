#include "ui/form/captions.h"

#include <cstdio>

namespace kadro {

std::string intToText(int32_t value) { return std::to_string(value); }

std::string floatToText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(value));
    return text;
}

}  // namespace kadro

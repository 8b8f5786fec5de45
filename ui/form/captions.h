#pragma once
// Numbers as the window's labels show them.
#include <cstdint>
#include <string>

namespace kadro {

// Integers as plain decimal ("-37").
std::string intToText(int32_t value);
// Floats in the shortest general form: "10", not "10.0"; "2.5".
std::string floatToText(float value);

}  // namespace kadro

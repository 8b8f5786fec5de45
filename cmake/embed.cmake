# Writes a C++ source that holds a file's bytes, for embedding data in the program.
#   cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P embed.cmake
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Made from ${INPUT} by embed.cmake; do not edit.\n"
  "#include <cstddef>\n#include <cstdint>\n#include <span>\n"
  "namespace kadro::assets {\n"
  "namespace { const uint8_t data[${size}] = {\n${bytes}\n}; }\n"
  "std::span<const uint8_t> ${SYMBOL}() { return {data, ${size}}; }\n"
  "}\n")

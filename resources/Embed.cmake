# Turns one file into a C++ source holding its bytes, with plain CMake so
# every platform and compiler embeds the pictures the same way.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<identifier> -P Embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# 32 bytes a line keeps the generated source readable for the compiler.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
"// Generated from ${INPUT}; do not edit.\n"
"#include <cstddef>\n"
"extern const unsigned char ${SYMBOL}[];\n"
"extern const std::size_t ${SYMBOL}_size;\n"
"// One byte more than the file, so an empty file still makes an array.\n"
"const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n"
"const std::size_t ${SYMBOL}_size = ${size};\n")

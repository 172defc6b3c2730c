# Writes OUTPUT, a C++ source that holds the bytes of INPUT (the page's cut-down font) as kPageFont and their count as
# kPageFontSize, for the page's renderer (render/GlCompatWeb.cpp): the font is part of the program's code, and the
# page's script needs no file system.
#
#   cmake -DINPUT=FONT -DOUTPUT=SOURCE -P embed-font.cmake
file(READ ${INPUT} star_hex HEX)
string(LENGTH "${star_hex}" star_digits)
math(EXPR star_bytes "${star_digits} / 2")
# Sixteen bytes to a line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," star_array "${star_hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " star_array "${star_array}")
file(WRITE ${OUTPUT} "// Written by packaging/web/embed-font.cmake from the page's font; not to be edited.
#include <cstddef>

extern const unsigned char kPageFont[];
extern const std::size_t kPageFontSize;

const unsigned char kPageFont[] = {
    ${star_array}
};
const std::size_t kPageFontSize = ${star_bytes};
")

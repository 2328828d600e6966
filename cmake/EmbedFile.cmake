# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedFile.cmake
# Writes a source file that defines `paperkit::SYMBOL`, a std::string_view over the input's bytes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REPEAT "." 84 line) # twelve bytes of the form '\xNN',
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include <string_view>

namespace paperkit {

namespace {
const char kBytes[${size} + 1] = {
    ${bytes}0};
} // namespace

extern const std::string_view ${SYMBOL}(kBytes, ${size});

} // namespace paperkit
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")

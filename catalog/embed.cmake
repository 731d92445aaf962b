# Turns one data file into a C++ source that holds its bytes.
# Run as: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<function name> -P embed.cmake
# The generated source defines `std::string_view catalog::embedded::<SYMBOL>()`
# returning the file's exact bytes, so the program needs no data files at run time.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keep the generated file readable in a debugger.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated from ${input_name} at build time; do not edit.
#include <cstddef>
#include <string_view>

namespace catalog::embedded {
namespace {
// One extra zero byte so an empty file still gives a valid array.
const unsigned char kBytes[] = {
    ${bytes}0x00};
constexpr std::size_t kSize = ${byte_count};
}  // namespace

std::string_view ${SYMBOL}() {
    return {reinterpret_cast<const char*>(kBytes), kSize};
}
}  // namespace catalog::embedded
")

# Turns a file into a C++ source holding its bytes:  cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=...
#   -P embed_file.cmake
# The source defines  extern const unsigned char SYMBOL[];  and  extern const std::size_t
# SYMBOL_SIZE;  in namespace tivra::resources.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keeps the generated file readable in a diff tool.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n"
"#include <cstddef>\n\n"
"namespace tivra::resources {\n\n"
"extern const unsigned char ${SYMBOL}[];\n"
"extern const std::size_t ${SYMBOL}_SIZE;\n\n"
"const unsigned char ${SYMBOL}[] = {\n    ${bytes}\n};\n"
"const std::size_t ${SYMBOL}_SIZE = ${size};\n\n"
"}  // namespace tivra::resources\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")

# Writes OUTPUT: a C++ source holding the bytes of INPUT as a string_view named SYMBOL.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
"// Generated from ${INPUT}; do not edit.\n#include <string_view>\n\nnamespace tavrik::embedded {\nnamespace {\nconst char data[] = {\n${bytes}'\\0'};\n}  // namespace\nextern const std::string_view ${SYMBOL};\nconst std::string_view ${SYMBOL}(data, ${size});\n}  // namespace tavrik::embedded\n")

# Turns a text file into a C++ source holding its bytes, so the program carries the text
# and reads nothing at run time: cmake -DIN=file -DOUT=file.cpp -DSYMBOL=name -P EmbedText.cmake
file(READ ${IN} _hex HEX)
string(LENGTH "${_hex}" _len)
math(EXPR _size "${_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," _bytes "${_hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n" _bytes "${_bytes}")
file(WRITE ${OUT}.tmp
     "// Generated from ${IN}; do not edit.\n#include <cstddef>\n\n"
     "extern const char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}Size;\n"
     "const char ${SYMBOL}[] = {\n${_bytes}'\\0'};\nconst std::size_t ${SYMBOL}Size = ${_size};\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)

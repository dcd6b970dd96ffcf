file(READ ${IN} content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${content}")
file(WRITE ${OUT} "#pragma once\ninline constexpr char ${SYMBOL}[] = {${bytes} 0};\n")

# Writes a C++ source that holds a file's bytes as the array pomvexa::NAME, with its size in
# pomvexa::NAMESize. Run with -DINPUT=<file> -DOUTPUT=<source> -DNAME=<name>.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "#include <cstddef>\n#include <cstdint>\n\nnamespace pomvexa {\n\
extern const std::uint8_t ${NAME}[] = {${bytes}};\n\
extern const std::size_t ${NAME}Size = sizeof ${NAME};\n} // namespace pomvexa\n")

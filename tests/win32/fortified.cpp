// A copy of a length known only at run time into a buffer of known size, which _FORTIFY_SOURCE
// turns into a checked copy. Kodvik's own code may offer the compiler no such copy (MinGW-w64 12
// and GCC 14 find none in it), so imports.sh looks at this one, built with the program's flags.
#include <array>
#include <cstdio>
#include <cstring>

void copyIntoEight(const char* from, std::size_t length)
{
    std::array<char, 8> buffer{};
    std::memcpy(buffer.data(), from, length);
    std::fwrite(buffer.data(), 1, buffer.size(), stdout);
}

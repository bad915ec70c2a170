// Built with the program's flags, for imports.sh to find the checked copy _FORTIFY_SOURCE makes:
// Kodvik's own code may offer the compiler no copy to check (GCC 14 finds none in it).
#include <array>
#include <cstring>

std::array<char, 8> eight;
void copyIntoEight(const char* from, std::size_t length)
{
    std::memcpy(eight.data(), from, length);
}

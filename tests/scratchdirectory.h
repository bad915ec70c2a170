#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

// A fresh, empty working directory for one test. The old working directory comes back, and the
// scratch one goes, when the test ends, also when the test removed it, locked it or left a
// read-only file in it. Standard C++ only, so the Windows tests share it.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; path.empty(); ++attempt) {
            const auto candidate = base / ("kodvik-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path = candidate;
            } else if (attempt == 100) {
                throw std::runtime_error("no scratch directory");
            }
        }
        std::filesystem::current_path(path);
    }
    ~ScratchDirectory()
    {
        using std::filesystem::perm_options;
        using std::filesystem::perms;
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::permissions(path, perms::owner_all, perm_options::add, ignored);
#ifdef _WIN32
        // Windows refuses to delete a read-only file.
        for (const auto& entry : std::filesystem::directory_iterator(path, ignored)) {
            std::filesystem::permissions(entry.path(), perms::owner_write, perm_options::add,
                                         ignored);
        }
#endif
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::filesystem::path path;

private:
    std::filesystem::path previous = std::filesystem::current_path();
};

inline std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

#ifdef KODVIK_GOLDEN_TABLE
inline std::string goldenTable()
{
    return readFile(KODVIK_GOLDEN_TABLE);
}
#endif

#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// A fresh, empty working folder for one test. The old working folder comes back, and the scratch
// one goes, when the test ends, also when the test left a read-only file in it.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const auto base = std::filesystem::temp_directory_path();
        for (unsigned attempt = 0; path.empty(); ++attempt) {
            const auto candidate = base / ("kodvik-" + std::to_string(GetCurrentProcessId()) + "-" +
                                           std::to_string(attempt));
            if (std::filesystem::create_directory(candidate)) {
                path = candidate;
            } else if (attempt > 1000) {
                throw std::runtime_error("no scratch folder");
            }
        }
        std::filesystem::current_path(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        for (const auto& entry : std::filesystem::directory_iterator(path, ignored)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

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

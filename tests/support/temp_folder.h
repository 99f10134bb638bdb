#pragma once
// A fresh folder per test, removed with everything in it afterwards, and whole-file helpers.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "files/native_path.h"

namespace tivra::test {

class TempFolder {
  public:
    TempFolder() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base / ("tivra-test-" + std::to_string(seed()));
            if (std::filesystem::create_directory(path_)) return;
        }
        ADD_FAILURE() << "no temporary folder";
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Paths as the program keeps them (UTF-8 on Windows, whatever the name).
    std::string file(const std::string& name) const {
        return pathText(path_ / fileSystemPath(name));
    }
    std::string path() const { return pathText(path_); }

    // The names in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            out.push_back(pathText(entry.path().filename()));
        std::sort(out.begin(), out.end());
        return out;
    }

  private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(fileSystemPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the bytes to path, and gives the path.
inline std::string writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(fileSystemPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

}  // namespace tivra::test

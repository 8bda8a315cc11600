#pragma once

#include <filesystem>
#include <string>

namespace dz::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes `bytes` to a file below the folder, creating its parent folders.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;
    std::filesystem::path makeDir(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

// Bytes of a file under tests/data.
std::string readTestData(const std::string& name);

// Bytes of any file; empty when it cannot be read.
std::string fileContents(const std::string& path);

}  // namespace dz::test

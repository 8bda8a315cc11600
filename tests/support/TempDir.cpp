#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace dz::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dezoredu-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path p = path_ / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::filesystem::path TempDir::makeDir(const std::string& relative) const {
    std::filesystem::path p = path_ / relative;
    std::filesystem::create_directories(p);
    return p;
}

std::string fileContents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string readTestData(const std::string& name) {
    const std::string path = std::string(DZ_TEST_DATA) + "/" + name;
    if (!std::filesystem::is_regular_file(path)) {
        throw std::runtime_error("missing test data: " + name);
    }
    return fileContents(path);
}

}  // namespace dz::test

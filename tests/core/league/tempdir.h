#pragma once

// A fresh folder under the system temp folder for tests that need real files; it is
// removed with everything in it when the test ends.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel::test {

class TempDir {
  public:
    TempDir() {
        // Test programs may run in parallel, so the name must not depend on the test alone.
        std::random_device entropy;
        const auto tag = std::to_string(entropy()) + "-" + std::to_string(entropy());
        path_ = std::filesystem::temp_directory_path() / ("vantrel-league-" + tag);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes the bytes to a file below the folder, creating folders on the way.
    std::filesystem::path Write(const std::filesystem::path& name,
                                const std::vector<std::uint8_t>& bytes) const {
        const std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return file;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace vantrel::test

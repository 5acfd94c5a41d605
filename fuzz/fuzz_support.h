#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tavrik::fuzz {

// A folder of this process for the files a target reads (in shared memory when there is
// one, so that writing them costs little); XDG_DATA_HOME points into it, so the program's
// data folder is <folder>/data/Tavrik.
inline const std::filesystem::path& Scratch() {
  static const std::filesystem::path folder = [] {
    const bool shm = std::filesystem::is_directory("/dev/shm");
    std::string pattern =
        (shm ? std::string("/dev/shm") : std::filesystem::temp_directory_path().string()) +
        "/tavrik-fuzz-XXXXXX";
    std::filesystem::path made = ::mkdtemp(pattern.data());
    ::setenv("XDG_DATA_HOME", (made / "data").c_str(), 1);
    std::filesystem::create_directories(made / "data" / "Tavrik");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Scratch(), ignored);
    });
    return made;
  }();
  return folder;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tavrik::fuzz

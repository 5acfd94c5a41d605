#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh empty folder for one test, removed afterwards. While it lives, XDG_DATA_HOME
// points into it, so the program's data folder is <folder>/data/Tavrik and the player's
// real files are never touched.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrik-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    if (const char* old = std::getenv("XDG_DATA_HOME")) oldXdg_ = old;
    ::setenv("XDG_DATA_HOME", (path_ / "data").c_str(), 1);
  }
  ~TempFolder() {
    if (oldXdg_.empty()) {
      ::unsetenv("XDG_DATA_HOME");
    } else {
      ::setenv("XDG_DATA_HOME", oldXdg_.c_str(), 1);
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The program's data folder while this object lives.
  std::filesystem::path DataFolder() const { return path_ / "data" / "Tavrik"; }

 private:
  std::filesystem::path path_;
  std::string oldXdg_;
};

// A fresh empty directory that becomes the current directory for one test
// (the headless platform's program directory is the current directory).
#pragma once

#include <filesystem>
#include <string>

namespace sky::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace sky::testing

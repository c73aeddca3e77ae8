#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <string>

namespace sky::testing {

TempDir::TempDir() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "skyward-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::filesystem::filesystem_error(
      "mkdtemp", std::error_code(errno, std::generic_category()));
  path_ = pattern;
  std::filesystem::current_path(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace sky::testing

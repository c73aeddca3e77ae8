// Run-time library loading with the system's dynamic loader.
#include <dlfcn.h>

#include "platform/library.h"

namespace platform {

struct Library {
  void* handle;
};

Library* library_open(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  return new Library{handle};
}

void* library_symbol(Library* library, const char* name) {
  if (library == nullptr) return nullptr;
  return dlsym(library->handle, name);
}

void library_close(Library* library) {
  if (library == nullptr) return;
  dlclose(library->handle);
  delete library;
}

}  // namespace platform

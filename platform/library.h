// Loading a shared library at run time and looking up its entry points.
#pragma once

#include <string>

namespace platform {

struct Library;  // opaque

// nullptr when the library cannot be loaded.
Library* library_open(const std::string& path);
// nullptr when the entry point does not exist.
void* library_symbol(Library* library, const char* name);
void library_close(Library* library);

}  // namespace platform

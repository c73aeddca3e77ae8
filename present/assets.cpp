#include "present/assets.h"

namespace sky {

void load_assets() {}
int load_program_icon() { return -1; }

}  // namespace sky

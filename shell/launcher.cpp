#include "shell/launcher.h"

namespace sky {

void run_launcher() {}

}  // namespace sky

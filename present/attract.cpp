#include "present/attract.h"

namespace sky {

void attract_page() {}

}  // namespace sky

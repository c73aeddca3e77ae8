#include "present/stars.h"

namespace sky {

void make_stars() {}
void draw_stars() {}

}  // namespace sky

#include "shell/program.h"

// The game takes no command line: anything after the program name is ignored.
int main() { return sky::run_program(); }

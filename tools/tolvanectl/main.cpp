#include <iostream>

#include "tools/tolvanectl/tolvanectl.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tolvane::RunTolvanectl(args, std::cout, std::cerr);
}

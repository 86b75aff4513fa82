// zeltoria-lab: developer commands that run the game's parts without its window.
#include <iostream>

#include "tools/zeltoria-lab/LabCommand.h"

int main(int argc, char** argv) {
  return RunLab(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

// The game's entry.
#include "app/QtEntry.h"

int main(int, char** argv) {
  return RunQtEntry(argv[0]);
}

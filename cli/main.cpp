// plenwick-cli: inspect and convert drawings from the command line.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fprintf(stderr, "usage: plenwick-cli COMMAND ...\n");
    return 2;
  }
  return 0;
}

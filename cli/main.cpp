// plenwick-cli: inspect and convert drawings from the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "render_command.h"
#include "tools/standard_tools.h"

namespace {

void Usage(std::FILE* to) {
  std::fprintf(to,
               "usage: plenwick-cli COMMAND ...\n"
               "  info FILE.pwk                 header, layers and element counts\n"
               "  dump --json [--parts] FILE.pwk  the whole drawing as JSON; --parts lists the parts\n"
               "                                generated for each dimension under it\n"
               "  from-json IN.json OUT.pwk     build a drawing from JSON (at most %zu MiB) and save it;\n"
               "                                elements a drawing file cannot hold are refused and counted\n"
               "  copy IN.pwk OUT.pwk           read a drawing and write it back\n"
               "  convert IN OUT                between .pwk and .dxf (by the extensions, any case), as\n"
               "                                opening a DXF file and saving as DXF do\n"
               "  convert IN.jwc OUT.pwk|OUT.dxf  a JWC file (DOS JW_CAD) as opening it reads it\n"
               "  convert IN OUT.csv            its points, lines, circles and arcs as the element list\n"
               "                                writes them (relative to the paper's centre)\n"
               "  convert IN.csv OUT            those of a CSV file on a new drawing, as the list adds them\n"
               "  convert IN.pwk OUT.pgl|OUT.plt|OUT.hpgl [--hpgl2] [--paper A0..A6]\n"
               "          [--scale 0|100|50|30|20|10|1] [--paper-based] [--correction X Y]\n"
               "                                the HP-GL file saving as HPGL writes (what is shown)\n"
               "  render IN.pwk OUT.png|OUT.svg|OUT.pdf|OUT.emf [--width W --height H] [--grid]\n"
               "                                draw it: a whole-drawing view, or true scale (PDF)\n",
               plenwick::cli::kMaxJsonBytes >> 20);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace plenwick::cli;
  if (argc < 2) {
    Usage(stderr);
    return 2;
  }
  // Drawings read here are the drawings the program would read: the same extensions installed.
  plenwick::InstallToolExtensions();
  const std::string command = argv[1];
  if (command == "info") return RunGuarded([&] { return RunInfo(argc, argv); });
  if (command == "dump") return RunGuarded([&] { return RunDump(argc, argv); });
  if (command == "from-json") return RunGuarded([&] { return RunFromJson(argc, argv); });
  if (command == "copy") return RunGuarded([&] { return RunCopy(argc, argv); });
  if (command == "convert") return RunGuarded([&] { return RunConvert(argc, argv); });
  if (command == "render") return RunGuarded([&] { return RunRenderCommand(argc, argv); });
  if (command == "--help" || command == "-h" || command == "help") {
    Usage(stdout);
    return 0;
  }
  Fail("unknown command \"" + command + "\"");
  Usage(stderr);
  return 2;
}

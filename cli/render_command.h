// plenwick-cli render: draws a drawing into a PNG or SVG picture of a view, or a PDF page at true
// scale, or an enhanced metafile of the whole drawing at true scale, through the program's own
// paint routine.
#pragma once

namespace plenwick::cli {

// plenwick-cli render IN.pwk OUT.png|OUT.svg|OUT.pdf|OUT.emf [--width W --height H] [--grid]
// Returns 0, 1 when the drawing cannot be read or the output cannot be written (one line on
// standard error, no output file), 2 for wrong arguments.
int RunRenderCommand(int argc, char** argv);

}  // namespace plenwick::cli

#!/usr/bin/env python3
"""Reads a DXF file with ezdxf and prints what a peer program sees, one fact a line:
    entity TYPE LAYER LINETYPE [text]
    layer NAME COLOUR
    linetype NAME
    audit ERRORS FIXES
Exit status 3 when ezdxf is missing (the caller skips)."""
import sys

try:
    import ezdxf
except ImportError:
    sys.exit(3)

doc = ezdxf.readfile(sys.argv[1])
out = []
for e in doc.modelspace():
    line = "entity %s %s %s" % (e.dxftype(), e.dxf.layer, e.dxf.get("linetype", "BYLAYER"))
    if e.dxftype() == "TEXT":
        line += " " + e.dxf.text
    out.append(line)
for layer in doc.layers:
    out.append("layer %s %d" % (layer.dxf.name, layer.dxf.color))
for lt in doc.linetypes:
    out.append("linetype %s" % lt.dxf.name)
auditor = doc.audit()
out.append("audit %d %d" % (len(auditor.errors), len(auditor.fixes)))
sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))

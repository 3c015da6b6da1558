#!/usr/bin/env python3
"""Writes the same small drawing as R12 (ANSI_932), R2000 and R2010 DXF files with ezdxf into
the folder given: r12.dxf, r2000.dxf, r2010.dxf. Exit status 3 when ezdxf is missing."""
import os
import sys

try:
    import ezdxf
except ImportError:
    sys.exit(3)


def drawing(version, encoding=None):
    doc = ezdxf.new(version)
    if encoding:
        doc.encoding = encoding  # also sets $DWGCODEPAGE
    if "DASHED" not in doc.linetypes:
        doc.linetypes.add("DASHED", pattern=[0.6, 0.5, -0.1])
    msp = doc.modelspace()
    msp.add_line((1, 2), (3, 4), dxfattribs={"linetype": "DASHED"})
    msp.add_circle((5, 6), 7)
    msp.add_arc((8, 9), 10, 30, 120)
    msp.add_point((11, 12))
    msp.add_text("日本語テキスト ±φ", dxfattribs={"height": 2.5, "insert": (13, 14), "rotation": 90})
    if version == "R12":
        msp.add_polyline2d([(0, 0), (10, 0), (10, 10)], close=True)
    else:
        msp.add_lwpolyline([(0, 0), (10, 0), (10, 10)], close=True)
    msp.add_polyline2d([(20, 0), (30, 0), (30, 10)])  # open
    return doc


folder = sys.argv[1]
drawing("R12", "cp932").saveas(os.path.join(folder, "r12.dxf"))
drawing("R2000").saveas(os.path.join(folder, "r2000.dxf"))
drawing("R2010").saveas(os.path.join(folder, "r2010.dxf"))

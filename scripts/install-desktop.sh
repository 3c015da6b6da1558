#!/usr/bin/env bash
# Registers plenwick with the desktop for the current user: the application entry (opening
# .pwk files), the drawing file type (extension .pwk, first bytes "PW") and the icon, below
# ~/.local/share (or $XDG_DATA_HOME). Run ./run.sh once first so that the program is built.
#   scripts/install-desktop.sh [PATH_TO_PLENWICK]     (default: build/run/app/plenwick)
#   scripts/install-desktop.sh --uninstall
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
share=${XDG_DATA_HOME:-$HOME/.local/share}

refresh() {
  command -v update-mime-database >/dev/null && update-mime-database "$share/mime" || true
  command -v update-desktop-database >/dev/null && update-desktop-database "$share/applications" || true
  command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$share/icons/hicolor" 2>/dev/null || true
}

if [ "${1:-}" = "--uninstall" ]; then
  rm -f "$share/applications/plenwick.desktop" "$share/mime/packages/plenwick.xml" \
    "$share/icons/hicolor/scalable/apps/plenwick.svg"
  refresh
  echo "removed the desktop entry, file type and icon of plenwick from $share"
  exit 0
fi

program=${1:-$here/build/run/app/plenwick}
[ -x "$program" ] || { echo "install-desktop.sh: $program is not built yet; run ./run.sh --version first" >&2; exit 1; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

mkdir -p "$share/applications" "$share/mime/packages" "$share/icons/hicolor/scalable/apps"
# Exec takes the program's full path, quoted as the desktop entry rules ask.
quoted=$(printf '%s' "$program" | sed -e 's/[\\"`$]/\\&/g')
sed -e "s|^Exec=plenwick %F$|Exec=\"$quoted\" %F|" "$here/desktop/plenwick.desktop" >"$share/applications/plenwick.desktop"
cp "$here/desktop/plenwick-mime.xml" "$share/mime/packages/plenwick.xml"
cp "$here/desktop/plenwick.svg" "$share/icons/hicolor/scalable/apps/plenwick.svg"
refresh
echo "installed into $share: applications/plenwick.desktop (runs $program), mime/packages/plenwick.xml, the icon"

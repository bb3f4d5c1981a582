#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# installed-tree.sh CMAKE BUILD_DIR: installs the build into a scratch folder
# and checks there what a software centre relies on: the metadata, the
# desktop entry it launches and the icon that entry names, all found by the
# one application id.
command -v appstreamcli >/dev/null 2>&1 || { echo "appstreamcli is not installed"; exit 77; }
root=$(mktemp -d) || exit 1
trap 'rm -rf "$root"' EXIT
"$1" --install "$2" --prefix "$root/usr" >/dev/null || exit 1
"$(dirname "$0")/checker.sh" "^[EW]: " appstreamcli validate-tree --no-net "$root" || exit 1
for entry in "$root"/usr/share/applications/*.desktop; do
  icon=$(sed -n 's/^Icon=//p' "$entry")
  ls "$root"/usr/share/icons/hicolor/*/apps/"$icon".* >/dev/null 2>&1 ||
    { echo "no icon $icon for $(basename "$entry")"; exit 1; }
done

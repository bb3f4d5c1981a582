#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# options-in-man.sh PROGRAM PAGE: every option that PROGRAM --help lists is
# described in the manual page PAGE, so the two cannot drift apart.
command -v man >/dev/null 2>&1 || { echo "man is not installed"; exit 77; }
text=$(MANWIDTH=200 man -E ascii -l "$2") || exit 1
options=$("$1" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "$1 --help lists no options"; exit 1; }
status=0
for option in $options; do
  printf '%s\n' "$text" | grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" ||
    { echo "$option is missing from $2"; status=1; }
done
exit $status

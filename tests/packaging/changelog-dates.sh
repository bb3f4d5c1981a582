#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# changelog-dates.sh CHANGELOG: every entry of the package's changelog parses
# and each is signed strictly later than the one below it, as lintian wants.
command -v dpkg-parsechangelog >/dev/null 2>&1 || { echo "dpkg-parsechangelog is not installed"; exit 77; }
parsed=$(dpkg-parsechangelog --format rfc822 --all -l "$1") || exit 1
entries=$(grep -c '^tessarine (' "$1")
stamps=$(printf '%s\n' "$parsed" | sed -n 's/^Timestamp: //p')
[ "$(printf '%s\n' "$stamps" | grep -c .)" -eq "$entries" ] || { echo "not every one of $entries entries parses"; exit 1; }
printf '%s\n' "$stamps" | awk 'NR > 1 && $1 >= last { print "entry " NR " is not older than the one above"; bad = 1 } { last = $1 } END { exit bad }'

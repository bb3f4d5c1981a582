#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# checker.sh PATTERN COMMAND...: passes when COMMAND exits 0 and no line of
# its output matches PATTERN (an extended regular expression, "." for any
# output at all); skipped when COMMAND is not installed.
pattern=$1
shift
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed"; exit 77; }
out=$("$@" 2>&1)
status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] || exit 1
! printf '%s' "$out" | grep -Eq -- "$pattern"

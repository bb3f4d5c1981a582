#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# prints.sh EXPECTED COMMAND...: passes when COMMAND exits 0 having printed
# exactly the line EXPECTED.
expected=$1
shift
out=$("$@")
status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] && [ "$out" = "$expected" ]

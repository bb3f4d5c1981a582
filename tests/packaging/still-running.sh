#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# still-running.sh SECONDS COMMAND...: passes when COMMAND is still running
# after SECONDS, having printed nothing; timeout then ends it.
seconds=$1
shift
out=$(timeout "$seconds" "$@" 2>/dev/null)
status=$?
printf '%s\n' "$out"
[ "$status" -eq 124 ] && [ -z "$out" ]

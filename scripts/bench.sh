#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The benchmarks, on the build `make build` made (or in $BENCH_BIN). Large inputs are written
# once to $BENCH_DATA (default /tmp/tessarine-bench) and reused.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${BENCH_BIN:-build/bench}
data=${BENCH_DATA:-/tmp/tessarine-bench}

# Load image and Save jpg against djpeg and cjpeg, Draw borders with 3,000
# sheets, and the peak memory of a load-draw-save run.
for size in 8000x6000 20000x15000; do
  "$bin/make_overview" "$data/$size" "${size%x*}" "${size#*x}" 3000
done
"$bin/jpeg_bench" "$data/8000x6000" "$data/20000x15000"

# The batch tool's start-up (--version, Analyze of the demo) against djpeg.
"$bin/startup_bench"

# Coverage of 20,000 sheets at 1:50,000 over an index map of 57,600 cells.
"$bin/coverage_bench"

# Analyze with sheet corners from the calibration against MMPLL lines, and
# Check calibrations, on 20,000 UTM and Gauss-Kruger sheets.
"$bin/calibration_bench"

# The zoomed view on the 20,000 x 15,000 overview: a zoom step with its repaint (and on a
# 1,000 x 800 cut), a slider step at fit and at 100%, the pyramid against decoding.
"$bin/zoom_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$data/20000x15000"

# The sheet index of 20,000 sheets to GeoJSON and KML, and a 4,000-pixel
# index map made for them against cjpeg -quality 90 on the same size.
"$bin/index_tools_bench"

# The web index of 20,000 sheets (page, GeoJSON, 4,000-pixel picture), its
# GeoJSON joined with a catalogue of 20,000 rows, and finding the sheets
# under the pointer among them.
"$bin/web_index_bench"

# Analyze of 5,000 and 10,000 GeoTIFFs (headers only) against gdaltindex.
bench/raster-scan.sh "$(dirname "$bin")/src/batch" "$data" 5000 10000

# The web index of a 16,000 x 12,000 overview with 40 sheets: tessarine-batch --output with
# --web --no-thumbnails against the same run without --web (target <= 1.6 x), median of three.
# Written once to the data folder's file system and once to a tmpfs: on an ext4 without a
# journal, each new file's inode is searched for past every inode freed in the last minute,
# which the runs' own removals of the folder make thousands.
"$bin/make_overview" "$data/16000x12000" 16000 12000 40

# Load image of that overview against djpeg (target <= 1.10 x): the median ratio of nine
# runs of each, one right after the other.
wall() { local TIMEFORMAT=%3R; { time "$@" >/dev/null 2>&1; } 2>&1; }
for i in 1 2 3 4 5 6 7 8 9; do
  load=$(wall "$bin/../src/batch/tessarine-batch" --maps "$data/16000x12000/maps" --index "$data/16000x12000/index.map" --stop-after load)
  djpeg=$(wall djpeg -outfile /dev/null "$data/16000x12000/overview.jpg")
  awk "BEGIN { printf \"%.3f\\n\", $load / $djpeg }"
done | sort -n | sed -n 5p | sed 's/^/Load image of 16000x12000 against djpeg, median of nine pairs: /; s/$/ x (target <= 1.10)/'
run() { /usr/bin/time -f %e "$@" >/dev/null 2>>"$data/times" ; }
median() { sort -n | sed -n 2p; }
outs=("$data")
[ -d /dev/shm ] && [ -w /dev/shm ] && outs+=("$(mktemp -d /dev/shm/tessarine-bench.XXXXXX)")
for out in "${outs[@]}"; do
  for kind in plain web; do
    : >"$data/times"
    for i in 1 2 3; do
      rm -rf "$out/web16000"
      if [ $kind = plain ]; then
        run "$bin/../src/batch/tessarine-batch" --maps "$data/16000x12000/maps" --index "$data/16000x12000/index.map" --output "$out/out.jpg"
      else
        run "$bin/../src/batch/tessarine-batch" --maps "$data/16000x12000/maps" --index "$data/16000x12000/index.map" --output "$out/out.jpg" --web "$out/web16000" --no-thumbnails
      fi
    done
    declare "t_$kind=$(median <"$data/times")"
  done
  echo "publish 16000x12000 to $(stat -f -c %T "$out"): ${t_plain} s without --web, ${t_web} s with it: $(awk "BEGIN { printf \"%.2f\", $t_web / $t_plain }") x (target <= 1.6)"
  echo "largest file but Leaflet's: $(find "$out/web16000" -type f ! -name leaflet.js -printf '%s\n' | sort -n | tail -1) bytes"
done
[ ${#outs[@]} -gt 1 ] && rm -rf "${outs[1]}"

# The page of 20,000 sheets in headless Chromium: opening it, and the longest task while panning.
"$bin/make_overview" "$data/sheets20000" 4000 2700 20000
rm -rf "$data/web20000"
"$bin/../src/batch/tessarine-batch" --maps "$data/sheets20000/maps" --index "$data/sheets20000/index.map" \
  --stop-after calc --web "$data/web20000" --no-thumbnails >/dev/null
/usr/bin/python3 bench/web_page_bench.py "$data/web20000"

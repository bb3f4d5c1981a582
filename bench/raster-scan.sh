#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bench/raster-scan.sh BIN DATA COUNT...: Analyze of a folder of COUNT
# GeoTIFFs with --rasters (headers only) against gdaltindex writing the same
# folder's footprints as GeoJSON in WGS 84, side by side, each the median of
# three runs in seconds of wall time. The folders are made once under DATA.
set -euo pipefail
bin=$1 data=$2
shift 2
command -v gdaltindex >/dev/null || { echo "gdaltindex is not installed"; exit 0; }

index=$data/rasters-index.map
mkdir -p "$data"
printf '%s\r\n' "OziExplorer Map Data File Version 2.2" "Index" "index.jpg" "1 ,Map Code," \
  "WGS 84,WGS 84,0,0,WGS 84" "Map Projection,Mercator,PolyCal,No" "MMPNUM,4" \
  "MMPXY,1,0,0" "MMPXY,2,1000,0" "MMPXY,3,1000,800" "MMPXY,4,0,800" \
  "MMPLL,1,20,70" "MMPLL,2,50,70" "MMPLL,3,50,40" "MMPLL,4,20,40" >"$index"

median() { sort -n | sed -n 2p; }
seconds() { local TIMEFORMAT=%R; { time "$@" >/dev/null 2>&1; } 2>&1; }

for count in "$@"; do
  folder=$data/rasters-$count
  if [ ! -f "$folder/done" ]; then
    rm -rf "$folder" && mkdir -p "$folder"
    # UTM 36N sheets of 5 km on a grid; copies of a few made ones.
    for k in 0 1 2 3; do
      e=$((300000 + k * 5000))
      gdal_create -q -of GTiff -outsize 64 64 -a_srs EPSG:32636 -a_ullr "$e" 6000000 $((e + 5000)) 5995000 "$folder/seed$k.tif"
    done
    for ((i = 0; i < count; i++)); do cp "$folder/seed$((i % 4)).tif" "$folder/sheet$i.tif"; done
    rm "$folder"/seed*.tif
    touch "$folder/done"
  fi
  ours=$(for r in 1 2 3; do seconds "$bin/tessarine-batch" --maps "$folder" --index "$index" --rasters --stop-after analyze; done | median)
  theirs=$(for r in 1 2 3; do rm -f "$data/tindex.geojson"
    seconds gdaltindex -f GeoJSON -t_srs EPSG:4326 "$data/tindex.geojson" "$folder"/sheet*.tif; done | median)
  echo "$count GeoTIFFs: tessarine-batch --rasters --stop-after analyze $ours s, gdaltindex $theirs s"
done

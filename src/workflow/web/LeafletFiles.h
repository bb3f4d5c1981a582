// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SafeWrite.h"

#include <vector>

// Where the page finds Leaflet, relative to itself.
inline constexpr char kLeafletFolder[] = "leaflet";

// Leaflet as the system's libjs-leaflet package installs it: leaflet.js,
// leaflet.css, its images and its copyright, as files of the page's
// "leaflet" folder. Throws "Cannot open file" when one is missing.
std::vector<FileReplacement> LeafletFiles();

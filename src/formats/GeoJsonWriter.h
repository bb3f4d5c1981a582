// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"

#include <QByteArray>

// RFC 7946 GeoJSON, UTF-8: a FeatureCollection with a bbox, positions as
// [lon, lat] with at most 7 decimals, a Polygon per outline or a
// MultiPolygon for one cut at 180°, null for none.
QByteArray WriteGeoJson(const SheetIndex& index);

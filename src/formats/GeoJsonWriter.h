// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"

#include <QByteArray>
#include <QJsonValue>

// RFC 7946 GeoJSON, UTF-8: a FeatureCollection with a bbox, positions as
// [lon, lat] with at most 7 decimals, a Polygon per outline or a
// MultiPolygon for one cut at 180°, null for none.
QByteArray WriteGeoJson(const SheetIndex& index);

// A geometry as the writer writes it: a Polygon, a MultiPolygon for two or
// more rings, null for none.
QJsonValue GeoJsonGeometry(const std::vector<Ring>& polygons);

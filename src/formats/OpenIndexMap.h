// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>
#include <vector>

// An index map as OpenIndexMaps 1.0 GeoJSON: one feature per sheet or
// frame, each with its outline's bounds.

struct OpenIndexFeature {
    std::vector<Ring> polygons;  // one ring, or two for an outline cut at 180°
    QJsonObject properties;      // everything but the bounds
};

// The bounds in degrees as written, 7 decimals at most. An outline cut at
// 180° runs from its part that ends there to its part that starts at -180:
// its west is then greater than its east.
struct OutlineBounds {
    double west = 0.0;
    double east = 0.0;
    double north = 0.0;
    double south = 0.0;
};
OutlineBounds BoundsOf(const std::vector<Ring>& polygons);

// A FeatureCollection with a bbox; each feature gets "west", "east",
// "north" and "south" beside its properties. Features without an outline
// have no bounds and are left out.
QByteArray WriteOpenIndexMap(const std::vector<OpenIndexFeature>& features);

// How the specification types a field.
enum class OpenIndexType { Text, Switch, Places, Bound };

struct OpenIndexField {
    QString name;  // as the specification spells it
    OpenIndexType type = OpenIndexType::Text;
};

// The field a name stands for, in any letter case; nothing when the
// specification has none of that name.
std::optional<OpenIndexField> FindOpenIndexField(const QString& name);

// Text as the field's value: as it is for text; true/false, yes/no or 1/0
// in any case for a switch; places separated by ";" and trimmed. Nothing
// when the text is no value of the field's type.
std::optional<QJsonValue> OpenIndexValue(OpenIndexType type, const QString& text);

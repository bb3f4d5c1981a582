// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

// An index map as OpenIndexMaps 1.0 GeoJSON: one feature per sheet or
// frame, each with its outline's bounds.

// A property's value: text, a switch, or a list of places.
using PropertyValue = std::variant<QString, bool, QStringList>;

struct Property {
    QString key;
    PropertyValue value;
};

// Properties in the order written, each key once. A plain list: a feature
// has a dozen or two, and 20,000 features in Qt's JSON objects cost more
// in allocations than the text they make.
struct OpenIndexFeature {
    std::vector<Ring> polygons;  // one ring, or two for an outline cut at 180°
    std::vector<Property> properties;  // everything but the bounds

    const PropertyValue* find(QStringView key) const;
    // Replaces the key's value, or adds the key after the others.
    void set(const QString& key, PropertyValue value);
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

// How OpenIndexMaps 1.0 types a field.
enum class OpenIndexType { Text, Switch, Places, Bound };

struct OpenIndexField {
    QString name;  // as OpenIndexMaps 1.0 spells it
    OpenIndexType type = OpenIndexType::Text;
};

// The field a name stands for, in any letter case; nothing when
// OpenIndexMaps 1.0 has none of that name.
std::optional<OpenIndexField> FindOpenIndexField(const QString& name);

// Text as the field's value: as it is for text; true/false, yes/no or 1/0
// in any case for a switch; places separated by ";" and trimmed. Nothing
// when the text is no value of the field's type.
std::optional<PropertyValue> OpenIndexValue(OpenIndexType type, const QString& text);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The EPSG code of the geographic CRS an OziExplorer datum name stands for
// (letter case and surrounding blanks ignored), from the table compiled in
// as the resource ":/ozi/datums.csv".
std::optional<int> DatumEpsgCode(const QString& name);

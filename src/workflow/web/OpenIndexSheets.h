// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/OpenIndexMap.h"
#include "geometry/Nomenclature.h"
#include "model/gvars.h"
#include "workflow/web/Catalogue.h"

#include <QString>

#include <vector>

// The usable sheets and the missing cells of a published index as
// OpenIndexMaps features, the sheets first in the analysis order. `links`
// holds every sheet's link, as the page links it, `thumbs` the link of each
// one's thumbnail (empty for none, or no thumbnails at all); `catalogue`
// may be null.
// `keys` gets what each usable sheet may be known by in the catalogue, and
// `matches` the row each one matched.
struct OpenIndexSheets {
    std::vector<OpenIndexFeature> features;
    std::vector<CatalogueKeys> keys;
    std::vector<int> matches;
};
OpenIndexSheets CollectOpenIndexSheets(const MapData& data, const std::vector<QString>& links,
                                       const std::vector<QString>& thumbs, const std::vector<SheetCell>& missing,
                                       const Catalogue* catalogue);

// A year from 1800 to 2099 that stands alone in the text (no letter or
// digit beside it); empty for none.
QString YearIn(const QString& text);

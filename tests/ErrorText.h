// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text of the TessError a call throws, or an empty string when it
// throws none, so that an expected message is one comparison.

#include "core/Errors.h"

#include <QString>

template <class Call>
QString ErrorText(Call&& call)
{
    try {
        call();
    } catch (const TessError& e) {
        return e.text();
    }
    return QString();
}

#pragma once

// The text of the TessError a call throws, or an empty string when it
// throws none, so that an expected message is one comparison.

#include "model/Errors.h"

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

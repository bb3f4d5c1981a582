// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberFormat.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

QString FormatGeneral(double value, const QString& decimalPoint)
{
    if (value == 0.0)
        return QStringLiteral("0");  // negative zero too
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // "%.15g" switches to scientific below 1E-4 and from 1E15, the same
    // thresholds; only its exponent spelling differs ("1.5e-06").
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    std::string exponent;
    if (const auto e = text.find('e'); e != std::string::npos) {
        exponent = text.substr(e + 1);
        text.resize(e);
    }
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    QString out = QString::fromStdString(text);
    out.replace(u'.', decimalPoint);
    if (!exponent.empty()) {
        const bool negative = exponent[0] == '-';
        std::size_t digits = (exponent[0] == '-' || exponent[0] == '+') ? 1 : 0;
        while (digits + 1 < exponent.size() && exponent[digits] == '0')
            ++digits;
        out += QStringLiteral("E") + (negative ? QStringLiteral("-") : QString()) +
               QString::fromStdString(exponent.substr(digits));
    }
    return out;
}

QString SystemDecimalPoint() { return QLocale::system().decimalPoint(); }

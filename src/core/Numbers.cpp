// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Numbers.h"

#include "core/Errors.h"

#include <charconv>
#include <algorithm>
#include <limits>
#include <string>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits starting at pos.
std::size_t digitRun(const std::string& s, std::size_t pos)
{
    std::size_t end = pos;
    while (end < s.size() && isDigit(s[end]))
        ++end;
    return end - pos;
}

// True when s is a whole decimal number in the accepted grammar.
bool isDecimalLiteral(const std::string& s)
{
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        ++pos;
    std::size_t run = digitRun(s, pos);
    if (run == 0)
        return false;
    pos += run;
    if (pos < s.size() && s[pos] == '.') {
        run = digitRun(s, pos + 1);
        if (run == 0)
            return false;
        pos += 1 + run;
    }
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        ++pos;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
            ++pos;
        run = digitRun(s, pos);
        if (run == 0)
            return false;
        pos += run;
    }
    return pos == s.size();
}

// The power of ten of the literal's leading significant digit, saturated;
// only its sign matters, to tell overflow from underflow.
int64_t decimalExponent(const std::string& s)
{
    constexpr int64_t kLimit = int64_t{1} << 40;
    std::size_t pos = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    int64_t exponent = -1;
    bool seenNonZero = false;
    for (; pos < s.size() && isDigit(s[pos]); ++pos) {
        seenNonZero = seenNonZero || s[pos] != '0';
        if (seenNonZero && exponent < kLimit)
            ++exponent;
    }
    if (pos < s.size() && s[pos] == '.') {
        for (++pos; pos < s.size() && isDigit(s[pos]); ++pos) {
            if (seenNonZero)
                continue;
            if (s[pos] != '0')
                seenNonZero = true;
            else if (exponent > -kLimit)
                --exponent;
        }
    }
    if (pos < s.size()) {  // exponent part
        ++pos;
        const bool negative = s[pos] == '-';
        if (s[pos] == '+' || s[pos] == '-')
            ++pos;
        int64_t e = 0;
        for (; pos < s.size(); ++pos)
            e = std::min(kLimit, e * 10 + (s[pos] - '0'));
        exponent += negative ? -e : e;
    }
    return exponent;
}

}  // namespace

int32_t StrToInt(const QString& text)
{
    const std::string s = text.toStdString();
    std::size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }
    if (digitRun(s, pos) == 0 || pos + digitRun(s, pos) != s.size())
        throw Errors::invalidInteger(text);
    int64_t value = 0;
    for (; pos < s.size(); ++pos) {
        value = value * 10 + (s[pos] - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1)
            throw Errors::invalidInteger(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        throw Errors::invalidInteger(text);
    return static_cast<int32_t>(value);
}

double StrToFloat(const QString& text)
{
    const std::string s = text.toStdString();
    if (!isDecimalLiteral(s))
        throw Errors::invalidFloat(text);
    // from_chars is locale-independent; it rejects a leading '+', which the
    // grammar allows.
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // A value too small for a double reads as zero; one too large cannot
        // be stored at all.
        if (decimalExponent(std::string(first, last)) >= 0)
            throw Errors::invalidFloat(text);
        return *first == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != last)
        throw Errors::invalidFloat(text);
    return value;
}

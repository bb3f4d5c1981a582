// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/Nomenclature.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <map>
#include <utility>

// The sheets are cut from the 1:1,000,000 cells (rows of 4° from the equator,
// columns of 6° from 180° W); each scale splits the cell, or the sheet of the
// scale above it, into a square of sheets numbered row by row from the north.
// North of 60° sheets are published joined along the parallel, in pairs up
// to 76° and in fours beyond (1:200,000 in threes), and named after the
// western sheet with the other sheets' last parts appended, as Russian
// topography textbooks describe it (e.g. "Военная топография", Moscow,
// Voenizdat, 1986: "P-52-V,VI", "P-52-23,24"). The south mirrors the north
// by latitude, and its row letters take an "S".

namespace {

enum class Label { CyrillicUpper, CyrillicLower, Roman, Number, Digit };

// One split of a sheet into divisions × divisions smaller ones.
struct Split {
    int divisions;
    Label label;
};

struct Grid {
    int scale;
    int perMillion;  // sheets along each side of a 1:1,000,000 cell
    std::initializer_list<Split> splits;
};

const Grid kGrids[] = {
    {1000000, 1, {}},
    {500000, 2, {{2, Label::CyrillicUpper}}},
    {200000, 6, {{6, Label::Roman}}},
    {100000, 12, {{12, Label::Number}}},
    {50000, 24, {{12, Label::Number}, {2, Label::CyrillicUpper}}},
    {25000, 48, {{12, Label::Number}, {2, Label::CyrillicUpper}, {2, Label::CyrillicLower}}},
    {10000, 96, {{12, Label::Number}, {2, Label::CyrillicUpper}, {2, Label::CyrillicLower}, {2, Label::Digit}}},
};
constexpr std::array<int, 7> kScales = {1000000, 500000, 200000, 100000, 50000, 25000, 10000};

constexpr int kRows = 22;     // A to V on each side of the equator: 88°
constexpr int kColumns = 60;  // around the globe
constexpr double kEdgeTolerance = 1e-6;  // degrees: a box edge that close to a cell's edge is on it

const QString kUpper = QStringLiteral("АБВГ");
const QString kLower = QStringLiteral("абвг");

const Grid* GridOf(int scale)
{
    for (const Grid& g : kGrids)
        if (g.scale == scale)
            return &g;
    return nullptr;
}

// For grid indices of boxes that may reach far beyond the globe.
int ClampToInt(double v, int lo, int hi)
{
    if (!(v > lo))
        return lo;
    if (!(v < hi))
        return hi;
    return static_cast<int>(v);
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

double CellHeight(const Grid& g) { return 4.0 / g.perMillion; }
double CellWidth(const Grid& g) { return 6.0 / g.perMillion; }

// Sheets published as one, from the row: `row` counts cells of the scale
// from the equator northwards, negative in the south.
int JoinCount(const Grid& g, int row)
{
    const int millionRow = FloorDiv(row, g.perMillion);
    const int fromEquator = millionRow >= 0 ? millionRow : -millionRow - 1;
    if (fromEquator >= 19)  // 76°
        return g.scale == 200000 ? 3 : 4;
    if (fromEquator >= 15)  // 60°
        return 2;
    return 1;
}

QString Roman(int n)
{
    static const std::pair<int, const char*> kDigits[] = {{10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}};
    QString out;
    for (const auto& [value, text] : kDigits)
        for (; n >= value; n -= value)
            out += QLatin1StringView(text);
    return out;
}

QString LabelText(Label label, int index)
{
    switch (label) {
    case Label::CyrillicUpper: return kUpper.at(index);
    case Label::CyrillicLower: return kLower.at(index);
    case Label::Roman: return Roman(index + 1);
    case Label::Number: return QStringLiteral("%1").arg(index + 1, 3, 10, QLatin1Char('0'));
    case Label::Digit: return QString::number(index + 1);
    }
    return {};
}

// The parts of one published (unjoined) sheet's name: row, column, then
// one label per split.
QStringList MemberParts(const Grid& g, int row, int column)
{
    const int millionRow = FloorDiv(row, g.perMillion);
    const int fromEquator = millionRow >= 0 ? millionRow : -millionRow - 1;
    QStringList parts;
    parts.reserve(2 + static_cast<qsizetype>(g.splits.size()));
    const QChar letter(u'A' + fromEquator);
    parts.append(millionRow >= 0 ? QString(letter) : QStringLiteral("S") + letter);
    parts.append(QString::number(column / g.perMillion + 1));
    const int fromNorth = (millionRow + 1) * g.perMillion - 1 - row;
    const int fromWest = column % g.perMillion;
    int size = g.perMillion;
    for (const Split& split : g.splits) {
        size /= split.divisions;
        const int r = fromNorth / size % split.divisions;
        const int c = fromWest / size % split.divisions;
        parts.append(LabelText(split.label, r * split.divisions + c));
    }
    return parts;
}

// Members that share their enclosing sheet are listed after it by their
// last part only: "T-37-001-А,Б,T-37-002-А,Б".
QString CellName(const Grid& g, int row, int firstColumn, int count)
{
    QString name;
    QStringList previous;
    for (int k = 0; k < count; ++k) {
        const QStringList parts = MemberParts(g, row, firstColumn + k);
        if (k > 0)
            name += u',';
        if (k > 0 && std::equal(parts.begin(), parts.end() - 1, previous.begin(), previous.end() - 1))
            name += parts.back();
        else
            name += parts.join(u'-');
        previous = parts;
    }
    return name;
}

// The rectangle of the cell holding sheet (row, column), joined sheets
// taken whole; no name yet.
struct Placed {
    SheetCell cell;
    int row;
    int first;  // the westernmost member's column
    int count;
};

Placed Place(const Grid& g, int row, int column)
{
    const int count = JoinCount(g, row);
    const int first = column - column % count;
    return Placed{SheetCell{g.scale, QString(), row * 4.0 / g.perMillion, (row + 1) * 4.0 / g.perMillion,
                            -180.0 + first * 6.0 / g.perMillion, -180.0 + (first + count) * 6.0 / g.perMillion},
                  row, first, count};
}

SheetCell Named(const Grid& g, Placed placed)
{
    placed.cell.name = CellName(g, placed.row, placed.first, placed.count);
    return std::move(placed.cell);
}

SheetCell MakeCell(const Grid& g, int row, int column) { return Named(g, Place(g, row, column)); }

struct GridPosition {
    int row;
    int column;
};

std::optional<GridPosition> PositionOf(const Grid& g, double lat, double lon)
{
    if (!(std::abs(lat) <= 4.0 * kRows) || !(std::abs(lon) <= 180.0))
        return std::nullopt;
    const int rows = kRows * g.perMillion;
    const int columns = kColumns * g.perMillion;
    const int row = ClampToInt(std::floor(lat / CellHeight(g)), -rows, rows - 1);
    const int column = ClampToInt(std::floor((lon + 180.0) / CellWidth(g)), 0, columns - 1);
    return GridPosition{row, column};
}

// ---- reading names ----

struct Member {
    const Grid* grid = nullptr;
    int row = 0;
    int column = 0;
};

struct MemberReading {
    std::optional<Member> member;
    QString error;
};

int ParseNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 4)
        return -1;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return -1;
    return text.toInt();
}

int ParseRoman(const QString& text)
{
    const QString upper = text.toUpper();
    for (int n = 1; n <= 36; ++n)
        if (Roman(n) == upper)
            return n;
    return -1;
}

// А Б В Г (or а б в г) in either case, or their Latin transliterations.
int ParseLetter(const QString& text)
{
    if (text.size() != 1)
        return -1;
    const QChar ch = text.at(0).toUpper();
    const int cyrillic = kUpper.indexOf(ch);
    if (cyrillic >= 0)
        return cyrillic;
    return static_cast<int>(QStringLiteral("ABVG").indexOf(ch));
}

MemberReading Refuse(const QString& why) { return {std::nullopt, why}; }

// Row letter (with "S" or "x" before it in the south), a dash or not, the
// column, then the parts of the splits, dash-separated.
MemberReading ReadMember(const QStringList& parts)
{
    const QString rowText = parts.at(0).toUpper();
    if (rowText.isEmpty())
        return Refuse(QStringLiteral("the row letter A to V is missing"));
    const bool south = rowText.size() == 2 && (rowText.at(0) == u'S' || rowText.at(0) == u'X');
    const QChar letter = rowText.back();
    if ((rowText.size() != 1 && !south) || letter < u'A' || letter > QChar(u'A' + kRows - 1))
        return Refuse(QStringLiteral("the row \"%1\" is not a letter A to V").arg(parts.at(0)));
    if (parts.size() < 2 || parts.at(1).isEmpty())
        return Refuse(QStringLiteral("the column number is missing"));
    const int column = ParseNumber(parts.at(1));
    if (column < 1 || column > kColumns)
        return Refuse(QStringLiteral("the column \"%1\" is not a number from 1 to 60").arg(parts.at(1)));

    // Which scale the third part starts decides how the rest is read. The
    // Roman numerals come first: a Latin V there is 1:200,000 sheet 5, the
    // 1:500,000 sheet is the Cyrillic В.
    std::vector<int> indices;  // 0-based, one per split
    const Grid* grid = &kGrids[0];
    if (parts.size() > 2) {
        const QString& third = parts.at(2);
        const int number = ParseNumber(third);
        const int roman = ParseRoman(third);
        const int letter500 = ParseLetter(third);
        if (number >= 1 && number <= 144) {
            grid = GridOf(100000);
            indices.push_back(number - 1);
        } else if (roman >= 1) {
            grid = GridOf(200000);
            indices.push_back(roman - 1);
        } else if (letter500 >= 0) {
            grid = GridOf(500000);
            indices.push_back(letter500);
        } else if (number >= 0) {
            return Refuse(QStringLiteral("the sheet number \"%1\" is not from 1 to 144").arg(third));
        } else {
            return Refuse(QStringLiteral("\"%1\" is neither a letter А to Г, a Roman numeral I to XXXVI nor a "
                                         "sheet number 1 to 144")
                              .arg(third));
        }
        if (grid->scale == 100000) {
            for (qsizetype k = 3; k < parts.size() && k <= 5; ++k) {
                const int index = k == 5 ? ParseNumber(parts.at(k)) - 1 : ParseLetter(parts.at(k));
                if (index < 0 || index > 3) {
                    static const char* const kExpected[] = {"a letter А to Г", "a letter а to г", "a digit 1 to 4"};
                    return Refuse(
                        QStringLiteral("\"%1\" is not %2").arg(parts.at(k), QString::fromUtf8(kExpected[k - 3])));
                }
                indices.push_back(index);
                grid = &kGrids[k + 1];
            }
        }
        const qsizetype used = 2 + static_cast<qsizetype>(indices.size());
        if (parts.size() > used)
            return Refuse(QStringLiteral("nothing can follow \"%1\"").arg(parts.at(used - 1)));
    }

    const int fromEquator = letter.unicode() - u'A';
    const int millionRow = south ? -fromEquator - 1 : fromEquator;
    int fromNorth = 0;
    int fromWest = 0;
    auto index = indices.begin();
    for (const Split& split : grid->splits) {
        fromNorth = fromNorth * split.divisions + *index / split.divisions;
        fromWest = fromWest * split.divisions + *index % split.divisions;
        ++index;
    }
    return {Member{grid, (millionRow + 1) * grid->perMillion - 1 - fromNorth,
                   (column - 1) * grid->perMillion + fromWest},
            {}};
}

// "L36", "sk-18", "L-36-68-a": the dash after the row letter may be left out.
QStringList SplitFullName(const QString& text)
{
    qsizetype letters = 0;
    while (letters < text.size() && text.at(letters).isLetter())
        ++letters;
    QStringList parts{text.left(letters)};
    QString rest = text.mid(letters);
    if (rest.startsWith(u'-'))
        rest.remove(0, 1);
    parts.append(rest.split(u'-'));
    return parts;
}

// A piece after a comma starts a new full name when it begins with a row
// (letters) and a column (a digit); otherwise it replaces the last part.
bool IsFullName(const QString& piece)
{
    qsizetype at = 0;
    while (at < piece.size() && piece.at(at).isLetter())
        ++at;
    if (at == 0 || at > 2)
        return false;
    if (at < piece.size() && piece.at(at) == u'-')
        ++at;
    return at < piece.size() && piece.at(at).isDigit();
}

}  // namespace

std::span<const int> SheetScales() { return kScales; }

bool IsSheetScale(int scale) { return GridOf(scale) != nullptr; }

QString ScaleText(int scale)
{
    QString digits = QString::number(scale);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u' ');
    return QStringLiteral("1:") + digits;
}

TPolygon CellCorners(const SheetCell& cell)
{
    return {{cell.north, cell.west}, {cell.north, cell.east}, {cell.south, cell.east}, {cell.south, cell.west}};
}

LatLonBox BoundingBox(const TPolygon& corners)
{
    if (corners.empty())
        return {};
    LatLonBox box{corners.front().Lat, corners.front().Lat, corners.front().Lon, corners.front().Lon};
    for (const TGeoPoint& p : corners) {
        box.south = std::min(box.south, p.Lat);
        box.north = std::max(box.north, p.Lat);
        box.west = std::min(box.west, p.Lon);
        box.east = std::max(box.east, p.Lon);
    }
    return box;
}

std::optional<SheetCell> RecogniseSheet(const TPolygon& corners)
{
    if (corners.empty())
        return std::nullopt;
    const auto [south, north, west, east] = BoundingBox(corners);
    // The box's centre lies in the cell it outlines, whatever its scale;
    // the scales differ by factors of two or more, so one at most fits.
    const double lat = (south + north) / 2.0;
    const double lon = (west + east) / 2.0;
    for (const Grid& g : kGrids) {
        const auto at = PositionOf(g, lat, lon);
        if (!at)
            return std::nullopt;
        const Placed placed = Place(g, at->row, at->column);
        const SheetCell& cell = placed.cell;
        const double latSlack = (cell.north - cell.south) / 10.0;
        const double lonSlack = (cell.east - cell.west) / 10.0;
        if (std::abs(south - cell.south) <= latSlack && std::abs(north - cell.north) <= latSlack &&
            std::abs(west - cell.west) <= lonSlack && std::abs(east - cell.east) <= lonSlack)
            return Named(g, placed);
    }
    return std::nullopt;
}

std::vector<SheetCell> CellsInside(int scale, double south, double north, double west, double east)
{
    std::vector<SheetCell> cells;
    const Grid* g = GridOf(scale);
    if (!g || std::isnan(south) || std::isnan(north) || std::isnan(west) || std::isnan(east))
        return cells;
    const double h = CellHeight(*g);
    const double w = CellWidth(*g);
    const int rows = kRows * g->perMillion;
    const int firstRow = ClampToInt(std::ceil((south - kEdgeTolerance) / h), -rows, rows);
    const int lastRow = ClampToInt(std::floor((north + kEdgeTolerance) / h), -rows, rows) - 1;
    for (int row = lastRow; row >= firstRow; --row) {
        const int count = JoinCount(*g, row);
        const double joined = w * count;
        const int groups = kColumns * g->perMillion / count;
        const int first = ClampToInt(std::ceil((west + 180.0 - kEdgeTolerance) / joined), 0, groups);
        const int last = ClampToInt(std::floor((east + 180.0 + kEdgeTolerance) / joined), 0, groups) - 1;
        for (int group = first; group <= last; ++group)
            cells.push_back(MakeCell(*g, row, group * count));
    }
    return cells;
}

SheetNameReading ReadSheetName(const QString& name)
{
    const QString text = name.trimmed();
    const auto refuse = [&name](const QString& why) {
        return SheetNameReading{std::nullopt, QStringLiteral("\"%1\" is no sheet name: %2").arg(name, why)};
    };
    if (text.isEmpty())
        return refuse(QStringLiteral("it is empty"));

    std::vector<Member> members;
    QStringList parts;
    for (const QString& piece : text.split(u',')) {
        const QString trimmed = piece.trimmed();
        if (trimmed.isEmpty())
            return refuse(QStringLiteral("a part between commas is empty"));
        if (members.empty() || IsFullName(trimmed))
            parts = SplitFullName(trimmed);
        else
            parts.back() = trimmed;
        const MemberReading reading = ReadMember(parts);
        if (!reading.member)
            return refuse(reading.error);
        members.push_back(*reading.member);
    }

    const Member& first = members.front();
    const SheetCell cell = MakeCell(*first.grid, first.row, first.column);
    const int count = JoinCount(*first.grid, first.row);
    bool joinedRight = static_cast<int>(members.size()) == count;
    for (std::size_t k = 0; joinedRight && k < members.size(); ++k) {
        const Member& m = members[k];
        joinedRight = m.grid == first.grid && m.row == first.row &&
                      m.column == first.column - first.column % count + static_cast<int>(k);
    }
    if (!joinedRight) {
        if (count == 1)
            return refuse(QStringLiteral("sheets are joined only north of 60° and south of 60° S"));
        return refuse(QStringLiteral("the sheet is published joined as \"%1\"").arg(cell.name));
    }
    return {cell, {}};
}

int MostCommonScale(std::span<const std::optional<SheetCell>> cells)
{
    std::map<int, int> counts;
    for (const auto& cell : cells)
        if (cell)
            ++counts[cell->scale];
    int best = 0;
    int bestCount = 0;
    for (const auto& [scale, count] : counts) {  // smallest denominator first
        if (count > bestCount) {
            best = scale;
            bestCount = count;
        }
    }
    return best;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/WebPage.h"

#include "geometry/Nomenclature.h"

namespace {

// Text for HTML: &, <, >, " and ' as character references.
QString EscapeHtml(const QString& text) { return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;")); }

// Hidden until hovered or focused, but the whole inside takes the pointer,
// so a click anywhere on a sheet follows its link.
constexpr char16_t kStyle[] = uR"(
body { margin: 0; font-family: sans-serif; color: #222; background: #fff; }
svg.index { display: block; width: 100%; height: auto; }
svg.index a polygon { fill: transparent; stroke: none; pointer-events: all; }
svg.index a:hover polygon, svg.index a:focus polygon {
  fill: rgba(255, 200, 0, 0.25); stroke: #d40000; stroke-width: 3px; vector-effect: non-scaling-stroke; }
svg.index a:focus { outline: none; }
svg.index polygon.missing { fill: none; stroke: #d40000; stroke-opacity: 0.8; stroke-width: 1.5px; stroke-dasharray: 6 4;
  vector-effect: non-scaling-stroke; pointer-events: none; }
main { padding: 0 1em 1em; }
table { border-collapse: collapse; }
th, td { text-align: left; padding: 0.2em 0.8em 0.2em 0; border-bottom: 1px solid #ddd; }
td.problem { color: #a00; }
input[type=search] { margin: 0.5em 0; padding: 0.2em; }
)";

// Only adds a filter box; the page is complete without it.
constexpr char16_t kFilterScript[] = uR"(
(function () {
  var table = document.getElementById('sheets');
  var box = document.createElement('input');
  box.type = 'search';
  box.placeholder = 'Filter sheets';
  box.setAttribute('aria-label', 'Filter sheets');
  table.parentNode.insertBefore(box, table);
  box.addEventListener('input', function () {
    var text = box.value.toLowerCase();
    var rows = table.tBodies[0].rows;
    for (var i = 0; i < rows.length; ++i)
      rows[i].hidden = text !== '' && rows[i].textContent.toLowerCase().indexOf(text) < 0;
  });
})();
)";

void AppendPoints(QString& out, const std::vector<TPixel>& points)
{
    out += QStringLiteral(" points=\"");
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            out += u' ';
        out += QString::number(points[i].X);
        out += u',';
        out += QString::number(points[i].Y);
    }
    out += u'"';
}

void AppendSheetLink(QString& out, const WebPageSheet& sheet)
{
    out += QStringLiteral("<a href=\"") + EscapeHtml(sheet.link) + QStringLiteral("\"><title>") + EscapeHtml(sheet.label) + u'\n' +
           EscapeHtml(sheet.file) + QStringLiteral("</title><polygon");
    AppendPoints(out, sheet.pixels);
    out += QStringLiteral("/></a>\n");
}

void AppendCell(QString& out, const QString& text, const char* cls = nullptr)
{
    out += cls ? QStringLiteral("<td class=\"") + QString::fromLatin1(cls) + QStringLiteral("\">") : QStringLiteral("<td>");
    out += EscapeHtml(text);
    out += QStringLiteral("</td>");
}

void AppendRow(QString& out, const WebPageSheet& sheet)
{
    out += QStringLiteral("<tr>");
    AppendCell(out, sheet.label);
    AppendCell(out, sheet.nomenclature);
    AppendCell(out, sheet.scale > 0 ? ScaleText(sheet.scale) : QString());
    AppendCell(out, sheet.file);
    if (sheet.usable)
        AppendCell(out, QStringLiteral("usable"));
    else
        AppendCell(out, sheet.problem.isEmpty() ? QStringLiteral("not usable") : sheet.problem, "problem");
    if (sheet.usable)
        out += QStringLiteral("<td><a href=\"") + EscapeHtml(sheet.link) + QStringLiteral("\">") + EscapeHtml(sheet.label) + QStringLiteral("</a></td>");
    else
        out += QStringLiteral("<td></td>");
    out += QStringLiteral("</tr>\n");
}

}  // namespace


QByteArray WriteWebPage(const WebPageContent& content)
{
    QString out;
    out.reserve(static_cast<qsizetype>(content.sheets.size()) * 400 + 4096);
    const QString title = EscapeHtml(content.title);
    const QString size = QString::number(content.width) + u' ' + QString::number(content.height);
    out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>") +
           title + QStringLiteral("</title>\n<style>") + QStringView(kStyle).toString() + QStringLiteral("</style>\n</head>\n<body>\n");
    out += QStringLiteral("<svg class=\"index\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 ") + size +
           QStringLiteral("\" style=\"aspect-ratio: ") + QString::number(content.width) + QStringLiteral(" / ") + QString::number(content.height) +
           QStringLiteral("\" role=\"group\" aria-label=\"Index map: a link on every sheet\">\n");
    out += QStringLiteral("<image href=\"") + EscapeHtml(content.imageLink) + QStringLiteral("\" x=\"0\" y=\"0\" width=\"") +
           QString::number(content.width) + QStringLiteral("\" height=\"") + QString::number(content.height) + QStringLiteral("\"/>\n");
    for (const WebPageMissing& cell : content.missing) {
        out += QStringLiteral("<polygon class=\"missing\"");
        AppendPoints(out, cell.corners);
        out += QStringLiteral("><title>") + EscapeHtml(cell.name) + QStringLiteral("</title></polygon>\n");
    }
    int usable = 0;
    for (const WebPageSheet& sheet : content.sheets) {
        if (sheet.usable) {
            AppendSheetLink(out, sheet);
            ++usable;
        }
    }
    out += QStringLiteral("</svg>\n<main>\n<h1>") + title + QStringLiteral("</h1>\n<p>") + QString::number(usable) + QStringLiteral(" of ") +
           QString::number(content.sheets.size()) + QStringLiteral(" sheets usable");
    if (!content.missing.empty())
        out += QStringLiteral(", ") + QString::number(content.missing.size()) + QStringLiteral(" missing (dashed)");
    out += QStringLiteral(".</p>\n<table id=\"sheets\">\n<thead><tr><th>Name</th><th>Nomenclature</th><th>Scale</th>"
           "<th>File</th><th>Status</th><th>Link</th></tr></thead>\n<tbody>\n");
    for (const WebPageSheet& sheet : content.sheets)
        AppendRow(out, sheet);
    out += QStringLiteral("</tbody>\n</table>\n</main>\n<script>") + QStringView(kFilterScript).toString() + QStringLiteral("</script>\n</body>\n</html>\n");
    return out.toUtf8();
}

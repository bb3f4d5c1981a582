// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/WebPage.h"

#include "geometry/Nomenclature.h"
#include "workflow/web/LeafletFiles.h"

namespace {

// Text for HTML: &, <, >, " and ' as character references.
QString EscapeHtml(const QString& text) { return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;")); }

QString Number(double value) { return QString::number(value, 'g', 17); }

void AppendCell(QString& out, const QString& text, const char* cls = nullptr)
{
    out += cls ? QStringLiteral("<td class=\"") + QString::fromLatin1(cls) + QStringLiteral("\">") : QStringLiteral("<td>");
    out += EscapeHtml(text);
    out += QStringLiteral("</td>");
}

void AppendRow(QString& out, const WebPageSheet& sheet)
{
    out += QStringLiteral("<tr>");
    if (sheet.usable)
        out += QStringLiteral("<td><button type=\"button\" class=\"zoom\" data-box=\"%1 %2 %3 %4\">")
                   .arg(sheet.left).arg(sheet.top).arg(sheet.right).arg(sheet.bottom) +
               EscapeHtml(sheet.label) + QStringLiteral("</button></td>");
    else
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

// The page's data as JSON inside a script element: '<' only occurs inside
// strings there, and as \u003c no text can end the element.
QByteArray PageData(const WebPageContent& content)
{
    const WebPageFrame& f = content.frame;
    QByteArray data = QStringLiteral("{\"width\":%1,\"height\":%2,\"maxZoom\":%3,\"west\":%4,\"east\":%5,\"north\":%6,"
                                     "\"south\":%7,\"right\":%8,\"bottom\":%9,\"sheets\":")
                          .arg(content.width)
                          .arg(content.height)
                          .arg(content.maxZoom)
                          .arg(Number(f.west), Number(f.east), Number(f.north), Number(f.south), Number(f.right),
                               Number(f.bottom))
                          .toUtf8();
    data += content.geoJson.trimmed();
    data += '}';
    return data.replace("<", "\\u003c");
}

}  // namespace

QByteArray WriteWebPage(const WebPageContent& content)
{
    QString out;
    out.reserve(static_cast<qsizetype>(content.sheets.size()) * 400 + 4096);
    const QString title = EscapeHtml(content.title);
    const QString leaflet = QString::fromLatin1(kLeafletFolder);
    out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>") +
           title + QStringLiteral("</title>\n<link rel=\"stylesheet\" href=\"") + leaflet +
           QStringLiteral("/leaflet.css\">\n<style>") + QString::fromUtf16(kWebPageStyle) +
           QStringLiteral("</style>\n</head>\n<body>\n<div id=\"map\" hidden aria-label=\"Index map: arrows move, + and - zoom\"></div>\n"
                          "<script type=\"application/json\" id=\"index-data\">");
    // The map comes before the table, so that it works while a table of
    // thousands of rows is still being read.
    QByteArray page = out.toUtf8();
    page += PageData(content);
    page += "</script>\n<script src=\"" + leaflet.toUtf8() + "/leaflet.js\"></script>\n<script>";
    page += QString::fromUtf16(kWebPageScript).toUtf8();
    page += "</script>\n";
    out.clear();
    int usable = 0;
    for (const WebPageSheet& sheet : content.sheets)
        usable += sheet.usable ? 1 : 0;
    out += QStringLiteral("<main>\n<h1>") + title + QStringLiteral("</h1>\n<p>") + QString::number(usable) + QStringLiteral(" of ") +
           QString::number(content.sheets.size()) + QStringLiteral(" sheets usable");
    if (content.missing > 0)
        out += QStringLiteral(", ") + QString::number(content.missing) + QStringLiteral(" missing (dashed)");
    out += QStringLiteral(".</p>\n<table id=\"sheets\">\n<thead><tr><th>Name</th><th>Nomenclature</th><th>Scale</th>"
                          "<th>File</th><th>Status</th><th>Link</th></tr></thead>\n<tbody>\n");
    for (const WebPageSheet& sheet : content.sheets)
        AppendRow(out, sheet);
    out += QStringLiteral("</tbody>\n</table>\n</main>\n</body>\n</html>\n");
    page += out.toUtf8();
    return page;
}

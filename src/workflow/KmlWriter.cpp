#include "workflow/KmlWriter.h"

#include <QXmlStreamWriter>

namespace {

// KML writes colours as aabbggrr.
QString KmlColor(QColor c)
{
    return QStringLiteral("ff%1%2%3")
        .arg(c.blue(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.red(), 2, 16, QLatin1Char('0'));
}

void WriteStyle(QXmlStreamWriter& xml, const QString& id, QColor color)
{
    xml.writeStartElement("Style");
    xml.writeAttribute("id", id);
    xml.writeStartElement("LineStyle");
    xml.writeTextElement("color", KmlColor(color));
    xml.writeTextElement("width", "2");
    xml.writeEndElement();
    xml.writeStartElement("PolyStyle");
    xml.writeTextElement("fill", "0");
    xml.writeEndElement();
    xml.writeEndElement();
}

void WriteData(QXmlStreamWriter& xml, const char* name, const QString& value)
{
    xml.writeStartElement("Data");
    xml.writeAttribute("name", QString::fromLatin1(name));
    xml.writeTextElement("value", value);
    xml.writeEndElement();
}

void WritePolygon(QXmlStreamWriter& xml, const Ring& ring)
{
    xml.writeStartElement("Polygon");
    xml.writeTextElement("tessellate", "1");
    xml.writeTextElement("altitudeMode", "clampToGround");
    xml.writeStartElement("outerBoundaryIs");
    xml.writeStartElement("LinearRing");
    QString coordinates;
    coordinates.reserve(static_cast<qsizetype>(ring.size()) * 24);
    for (const LonLat& p : ring) {
        if (!coordinates.isEmpty())
            coordinates += u' ';
        coordinates += FormatDegrees(p.lon) + u',' + FormatDegrees(p.lat);
    }
    xml.writeTextElement("coordinates", coordinates);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

void WritePlacemark(QXmlStreamWriter& xml, const OutlineFeature& f)
{
    xml.writeStartElement("Placemark");
    xml.writeTextElement("name", f.kind == u"index" ? f.file : f.name);
    xml.writeTextElement("styleUrl", f.usable ? "#usable" : "#unusable");
    xml.writeStartElement("ExtendedData");
    WriteData(xml, "file", f.file);
    WriteData(xml, "kind", f.kind);
    // A sheet's name is the placemark's own.
    if (f.kind == u"sheet") {
        WriteData(xml, "image", f.image);
        WriteData(xml, "usable", f.usable ? QStringLiteral("true") : QStringLiteral("false"));
        if (!f.problem.isEmpty())
            WriteData(xml, "problem", f.problem);
        if (!f.nomenclature.isEmpty()) {
            WriteData(xml, "nomenclature", f.nomenclature);
            WriteData(xml, "scale", QString::number(f.scale));
        }
    }
    xml.writeEndElement();
    if (f.polygons.size() == 1) {
        WritePolygon(xml, f.polygons.front());
    } else if (!f.polygons.empty()) {
        xml.writeStartElement("MultiGeometry");
        for (const Ring& ring : f.polygons)
            WritePolygon(xml, ring);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

}  // namespace

QByteArray WriteKml(const SheetIndex& index, const QString& title, QColor border)
{
    // Room for the whole text up front: the writer's many small writes
    // would otherwise move it again and again as it grows.
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(index.features.size()) * 1024 + 4096);
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDefaultNamespace("http://www.opengis.net/kml/2.2");
    xml.writeStartElement("kml");
    xml.writeStartElement("Document");
    xml.writeTextElement("name", title);
    WriteStyle(xml, "usable", border);
    WriteStyle(xml, "unusable", Qt::gray);
    for (const OutlineFeature& f : index.features)
        WritePlacemark(xml, f);
    xml.writeEndDocument();
    return bytes;
}

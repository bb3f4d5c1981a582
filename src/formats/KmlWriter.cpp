// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/KmlWriter.h"

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
    xml.writeStartElement(QStringLiteral("Style"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeStartElement(QStringLiteral("LineStyle"));
    xml.writeTextElement(QStringLiteral("color"), KmlColor(color));
    xml.writeTextElement(QStringLiteral("width"), QStringLiteral("2"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("PolyStyle"));
    xml.writeTextElement(QStringLiteral("fill"), QStringLiteral("0"));
    xml.writeEndElement();
    xml.writeEndElement();
}

void WriteData(QXmlStreamWriter& xml, const QString& name, const QString& value)
{
    xml.writeStartElement(QStringLiteral("Data"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("value"), value);
    xml.writeEndElement();
}

void WritePolygon(QXmlStreamWriter& xml, const Ring& ring)
{
    xml.writeStartElement(QStringLiteral("Polygon"));
    xml.writeTextElement(QStringLiteral("tessellate"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("altitudeMode"), QStringLiteral("clampToGround"));
    xml.writeStartElement(QStringLiteral("outerBoundaryIs"));
    xml.writeStartElement(QStringLiteral("LinearRing"));
    QString coordinates;
    coordinates.reserve(static_cast<qsizetype>(ring.size()) * 24);
    for (const LonLat& p : ring) {
        if (!coordinates.isEmpty())
            coordinates += u' ';
        coordinates += FormatDegrees(p.lon) + u',' + FormatDegrees(p.lat);
    }
    xml.writeTextElement(QStringLiteral("coordinates"), coordinates);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

void WritePlacemark(QXmlStreamWriter& xml, const OutlineFeature& f)
{
    xml.writeStartElement(QStringLiteral("Placemark"));
    xml.writeTextElement(QStringLiteral("name"), f.kind == FeatureKind::Index ? f.file : f.name);
    xml.writeTextElement(QStringLiteral("styleUrl"), f.usable ? QStringLiteral("#usable") : QStringLiteral("#unusable"));
    xml.writeStartElement(QStringLiteral("ExtendedData"));
    WriteData(xml, QStringLiteral("file"), f.file);
    WriteData(xml, QStringLiteral("kind"), FeatureKindText(f.kind));
    // A sheet's name is the placemark's own.
    if (f.kind == FeatureKind::Sheet) {
        WriteData(xml, QStringLiteral("image"), f.image);
        WriteData(xml, QStringLiteral("usable"), f.usable ? QStringLiteral("true") : QStringLiteral("false"));
        if (!f.problem.isEmpty())
            WriteData(xml, QStringLiteral("problem"), f.problem);
        if (!f.nomenclature.isEmpty()) {
            WriteData(xml, QStringLiteral("nomenclature"), f.nomenclature);
            WriteData(xml, QStringLiteral("scale"), QString::number(f.scale));
        }
        if (!f.outline.isEmpty())
            WriteData(xml, QStringLiteral("outline"), f.outline);
        if (!f.format.isEmpty())
            WriteData(xml, QStringLiteral("format"), f.format);
        if (!f.calibration.isEmpty())
            WriteData(xml, QStringLiteral("calibration"), f.calibration);
        if (f.calibrationM)
            WriteData(xml, QStringLiteral("calibration_m"), QString::number(*f.calibrationM, 'f', 1));
    }
    xml.writeEndElement();
    if (f.polygons.size() == 1) {
        WritePolygon(xml, f.polygons.front());
    } else if (!f.polygons.empty()) {
        xml.writeStartElement(QStringLiteral("MultiGeometry"));
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
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QStringLiteral("http://www.opengis.net/kml/2.2"));
    xml.writeStartElement(QStringLiteral("kml"));
    xml.writeStartElement(QStringLiteral("Document"));
    xml.writeTextElement(QStringLiteral("name"), title);
    WriteStyle(xml, QStringLiteral("usable"), border);
    WriteStyle(xml, QStringLiteral("unusable"), Qt::gray);
    for (const OutlineFeature& f : index.features)
        WritePlacemark(xml, f);
    xml.writeEndDocument();
    return bytes;
}

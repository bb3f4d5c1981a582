// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/LeafletFiles.h"

#include "core/BinaryFile.h"

#include <QDir>

std::vector<FileReplacement> LeafletFiles()
{
    const QDir library(QStringLiteral(TESSARINE_LEAFLET_DIR));
    std::vector<FileReplacement> files;
    for (const char* name : {"leaflet.js", "leaflet.css", "images/layers.png", "images/layers-2x.png",
                             "images/marker-icon.png", "images/marker-icon-2x.png", "images/marker-shadow.png"}) {
        const QString file = QString::fromLatin1(name);
        files.push_back({file, ReadBinaryFile(library.filePath(file))});
    }
    files.push_back({QStringLiteral("copyright"), ReadBinaryFile(QStringLiteral(TESSARINE_LEAFLET_COPYRIGHT))});
    return files;
}

#pragma once

#include <QString>
#include <QStringList>

// Names of the entries of `dir` that match "*.map" in any letter case, files
// and folders alike, hidden ones included, in the order a Windows file
// system lists them (case-insensitive, upper-cased), so every run is
// reproducible. An unreadable or missing folder has no entries.
QStringList ListMapFiles(const QString& dir);

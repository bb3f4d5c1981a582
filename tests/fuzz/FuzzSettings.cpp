// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the settings-file reader as a whole settings
// file, and its "Font" value through the font decoder. Reading must never
// fail: damaged values give the defaults. A font that decodes must encode
// back to a value that decodes to the same font.

#include "settings/StoredSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString SettingsPath()
{
    static QTemporaryDir root(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tess-fuzz-XXXXXX")
                                                         : QDir::tempPath() + QStringLiteral("/tess-fuzz-XXXXXX"));
    if (!root.isValid())
        qFatal("cannot create a temporary folder");
    return root.filePath("tessarine.ini");
}

void CheckFont(const std::optional<NamesFont>& font)
{
    if (!font)
        return;
    if (DeserializeNamesFont(SerializeNamesFont(*font)) != font)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const QString path = SettingsPath();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    const StoredSettings settings = ReadStoredSettings(IniFile(path));
    CheckFont(settings.font);
    CheckFont(DeserializeNamesFont(bytes));
    return 0;
}

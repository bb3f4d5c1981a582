#include "MapFiles.h"
#include "settings/IniFile.h"
#include "settings/StoredSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The scale is written after "graphics" once it is not Auto, and kept
// written (as 0) when Auto is chosen again; a file without it reads Auto.
TEST(CoverageSettingsTest, TheScaleFollowsGraphicsOnceChosen)
{
    QTemporaryDir root;
    const QString path = root.filePath("tessarine.ini");
    IniFile ini(path);
    StoredSettings s;
    WriteStoredSettings(ini, s, NamesFont{});
    EXPECT_FALSE(testfiles::Read(path).contains("coverage"));
    EXPECT_EQ(ReadStoredSettings(ini).coverageScale, 0);

    s.coverageScale = 50000;
    WriteStoredSettings(ini, s, NamesFont{});
    EXPECT_TRUE(testfiles::Read(path).endsWith("Alpha=30\n\n[coverage]\nScale=50000\n"));
    EXPECT_EQ(ReadStoredSettings(ini).coverageScale, 50000);

    s.coverageScale = 0;
    WriteStoredSettings(ini, s, NamesFont{});
    EXPECT_EQ(ReadStoredSettings(ini).coverageScale, 0);
}

}  // namespace

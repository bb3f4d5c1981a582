// SPDX-License-Identifier: GPL-3.0-or-later
// The GUI tests need one QApplication for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

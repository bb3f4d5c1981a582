// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fonts and text painting need a QGuiApplication; tests that draw text call
// this first. One application serves the whole test program.

#include <QGuiApplication>

inline void EnsureGuiApplication()
{
    static int argc = 1;
    static char name[] = "tessarine-tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

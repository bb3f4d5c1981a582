// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window is laid out for Tahoma, and Tahoma is the names font's default.
// Where the system has no Tahoma, the Tahoma-metric font Debian ships with
// Wine's fonts stands in for it, loaded for this program alone, so that
// every caption fits; where that is missing too, a narrow sans. Call once a
// Qt GUI application exists; later calls do nothing.
void InstallTahomaStandIn();

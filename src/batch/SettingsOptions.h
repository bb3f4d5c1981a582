// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "batch/BatchOptions.h"
#include "settings/StoredSettings.h"

// Takes the drawing options of a settings file the window wrote, as the
// window's controls would hold them after reading it (each row's range in
// SettingsTable.h). A line colour without a colour of its own ("Custom...", whose
// choice the file does not keep, or an index past the list) draws black,
// as the window does until a custom colour is picked. The folders of the
// file are not taken: the command line names them.
void ApplyStoredSettings(const StoredSettings& settings, BatchOptions& options);

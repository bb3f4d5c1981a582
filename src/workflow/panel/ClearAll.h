// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

// "Clear all": drops the working and base images, the sheets and the custom
// names (the list itself stays), forgets the name centres and makes Analyze
// available again. The log, the index map record and the options stay.
void ClearAll(Workspace& ws);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Gives every control of the window, the Custom list dialog or the Publish
// dialog its tooltip: one sentence on what it does and what must come
// before it, also read out by screen readers as the control's description.
// Controls are found by object name; a radio button, which has none, by
// its group's name and its caption ("rdSrc:Map name").
void ApplyMainFormHints(QWidget* mainForm);
void ApplyCustomListHints(QWidget* dialog);
void ApplyPublishHints(QWidget* dialog);

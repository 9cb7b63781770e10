// SPDX-License-Identifier: GPL-3.0-or-later
// Marks an English text that the window shows in the user's language. The core keeps and
// compares the English text; the window's translation tools find the marked texts by this
// name (lupdate takes it as QT_TRANSLATE_NOOP) and the window translates them when it shows
// them, under the context given here.
#pragma once

#define MORVANE_TRANSLATABLE(context, text) text

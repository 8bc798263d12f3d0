// What the files page has room for, measured once from its dialog template
// (ui/vantrel.rc) and the dialog font, MS Sans Serif 8 point, whose dialog
// base units are 6 by 13 pixels: a label of text wider than its control, or
// a description taller than its box, is cut off on the user's screen.
#pragma once

#include "packager/diagnostics.h"
#include "packager/script_text.h"
#include "script/install_plan.h"

#include <string>
#include <vector>

// Room for the text of a check box (134 dialog units, 201 pixels, less its
// 13-pixel box and 4-pixel gap) and of an always-installed label (122
// units).
constexpr int kCheckBoxTextPixels = 184;
constexpr int kLabelTextPixels = 183;

// The description box 1052: 99 by 59 dialog units, 148 by 95 pixels; it
// wraps at words within 142 pixels (3 pixels of margin each side) and shows
// 7 rows of 13 pixels, with no scroll bar. (Wine draws the pages with a
// wider font of its own, so its pictures cut text somewhat earlier.)
constexpr int kDescriptionPixels = 142;
constexpr int kDescriptionRows = 7;

// The width in pixels of text (Windows-1252) as a label shows it: "&"
// marks the next character as the keyboard shortcut and takes no room,
// "&&" shows one "&".
int LabelPixels(const std::string& text);

// The rows that each line of a text takes when it is wrapped at blanks
// within width pixels (a word wider than that is broken where it must be);
// an empty line takes one row.
std::vector<int> WrappedRows(const std::vector<std::string>& lines, int width);

// Warns, at its line, of each label of the files step that its control
// cuts off, and of a description taller than its box, when the files page
// is shown at all.
void CheckFilesPage(const InstallPlan& plan, const PlanStep& step, const ScriptText& text, Diagnostics* diagnostics);

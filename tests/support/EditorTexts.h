// Every text the editor can show, for the checks that render them all.
#pragma once

#include <string>
#include <vector>

// The titles, the colour labels and components, and each numeric label alone (an open box with nothing typed) and
// followed by 0 to 360: every value a box can show, and for typed digits every first digit and every pair of
// neighbouring digits, which is all that kerning and ligatures look at.
std::vector<std::string> EditorTexts();

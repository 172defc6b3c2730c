// What the benchmarks share: the window the entry point opens.
#pragma once

#include "core/WindowSettings.h"

inline WindowSettings EditorSettings() { return {"Kalvora - Dalmoren, Olix", 1200.0f, 900.0f, true}; }

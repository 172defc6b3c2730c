// Greys out the console window's close command while the program runs (Windows only; no-ops elsewhere).
#pragma once

void DisableConsoleClose();
void EnableConsoleClose();

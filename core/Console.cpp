#include "core/Console.h"

#ifdef _WIN32
#include <windows.h>

namespace {
// With no console attached both handles are null and nothing happens.
void SetConsoleCloseEnabled(bool enabled) {
    HWND console = GetConsoleWindow();
    if (console == nullptr) return;
    HMENU menu = GetSystemMenu(console, FALSE);
    if (menu == nullptr) return;
    EnableMenuItem(menu, SC_CLOSE, enabled ? MF_ENABLED : MF_GRAYED);
}
}  // namespace

void DisableConsoleClose() { SetConsoleCloseEnabled(false); }
void EnableConsoleClose() { SetConsoleCloseEnabled(true); }

#else

void DisableConsoleClose() {}
void EnableConsoleClose() {}

#endif

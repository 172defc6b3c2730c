// Preloaded into the real editor that the sanitized core_test starts: it keeps the drivers loaded the way the
// test programs' own main does, so that program's leak report is as clean and as strict as theirs.
#include "tests/sanitizer/KeepDriversLoaded.h"

namespace {
[[gnu::constructor]] void KeepDriversLoadedAtStart() { sanitizer_support::KeepDriversLoaded(); }
}  // namespace

#!/usr/bin/env bash
# Installs the build into a fresh prefix (with a blank in its path) and starts it the ways a user does: by the
# launcher's full path, through a link to it in another folder, and by name from PATH; each from /. Also checks
# that the menu entry's command and icon are where the desktop looks for them.
#
#   InstallTest.sh BUILD_DIR REFERENCE_PNG
set -euo pipefail

build="$1" reference="$2"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
check=("$repo/packaging/linux/check-launcher" "$build/tests/first-frame-catcher.so" "$build/tests/compare-frames"
       "$reference")
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
prefix="$root/a prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

"${check[@]}" "$prefix/bin/star-editor"
mkdir "$root/elsewhere"
ln -s "../a prefix/bin/star-editor" "$root/elsewhere/star-editor"
"${check[@]}" "$root/elsewhere/star-editor"
PATH="$prefix/bin:$PATH" "${check[@]}" star-editor

entry=("$prefix"/share/applications/*.desktop)
[[ ${#entry[@]} -eq 1 && -f "${entry[0]}" ]] || { echo "InstallTest: expected one desktop entry" >&2; exit 1; }
command="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "${entry[0]}")"
icon="$(sed -n 's/^Icon=//p' "${entry[0]}")"
[[ -x "$prefix/bin/$command" ]] || { echo "InstallTest: the menu runs $command, which is not in bin/" >&2; exit 1; }
for size in 48 64 128 256; do
  [[ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png" ]] ||
    { echo "InstallTest: no ${size}x${size} icon named $icon" >&2; exit 1; }
done
echo "InstallTest: the menu entry's command and its icons are installed"

# The installer under Wine: msiexec /i /qn installs the zip's files, a Start-menu shortcut that starts the program
# in its folder, with the program's icon, and one uninstall entry; the program started as the shortcut says shows
# the Linux build's first frame; msiexec /x leaves no file behind; a version one step newer, installed over it,
# replaces it. A phase of tests/windows/check-windows, sourced in its Wine session (wine.sh), with the installer
# in STAR_WINDOWS_MSI.
# shellcheck shell=bash disable=SC2154 # app, work and the like come from wine.sh, repo from common.sh
msi="$STAR_WINDOWS_MSI"
version="$("$repo/packaging/version")"
installed="$WINEPREFIX/drive_c/Program Files/Star Polygon Editor"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# Every file and folder of the prefix's drive C:, but for Windows' scratch folder.
prefix_files() { (cd "$WINEPREFIX/drive_c" && find . -path ./windows/temp -prune -o -print | LC_ALL=C sort); }

# Runs msiexec quietly with the given action and installer; its log goes to $work/msiexec.log.
msiexec_quietly() {
  timeout 300 wine msiexec "$1" "$(winepath -w "$2")" /qn /l "$(winepath -w "$work/msiexec.log")" >/dev/null 2>&1 ||
    fail "msiexec $1 $(basename "$2") /qn failed: $(tail -n 20 "$work/msiexec.log")"
}

# This program's uninstall entries, one a line: the entry's key, then the version it names.
uninstall_entries() {
  wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { if (name) print key, version; key = $0; name = ""; version = "" }
    /^ +DisplayName +REG_SZ +Star Polygon Editor$/ { name = 1 }
    /^ +DisplayVersion +REG_SZ/ { version = $3 }
    END { if (name) print key, version }'
}

# Fails unless there is exactly one uninstall entry, for the given version.
expect_one_entry() {
  mapfile -t entries < <(uninstall_entries)
  [[ ${#entries[@]} -eq 1 && "${entries[0]##* }" == "$1" ]] ||
    fail "expected one uninstall entry, for version $1; found: ${entries[*]:-none}"
}

# Fails when the prefix holds other files than before the installation.
expect_nothing_left() {
  prefix_files | diff "$work/prefix-before.txt" - >"$work/left.diff" ||
    fail "msiexec /x left files behind: $(head -n 20 "$work/left.diff")"
}

# The installer's own folder, which every Windows has; a fresh Wine prefix makes it at its first installation.
mkdir -p "$WINEPREFIX/drive_c/windows/Installer"
prefix_files >"$work/prefix-before.txt"
msiexec_quietly /i "$msi"
diff -r "$app" "$installed" >"$work/installed.diff" ||
  fail "the installed folder differs from the zip: $(head -n 20 "$work/installed.diff")"
install_folder="$(winepath -w "$installed")"
install_folder="${install_folder%\\}"
log "ok: msiexec /i $(basename "$msi") /qn installs the zip's files in $install_folder"

# The Start menu of all users on Windows; Wine's msiexec puts the shortcut into the user's.
mapfile -t shortcuts < <(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Star Polygon Editor.lnk')
[[ ${#shortcuts[@]} -eq 1 ]] || fail "expected one Start-menu shortcut \"Star Polygon Editor\", found ${#shortcuts[@]}"
shortcut="${shortcuts[0]}"
# Its target, working folder and icon, one a line.
mapfile -t link < <(lnkinfo "$shortcut" | tr -d '\r' | awk '
  { field = $0; sub(/^[\t ]+/, "", field); sub(/[\t ]*:.*/, "", field); value = $0; sub(/^[^:]*: /, "", value) }
  field == "Local path" { target = value } field == "Working directory" { folder = value }
  field == "Icon location" { icon = value } END { print target; print folder; print icon }')
[[ "${link[0],,}" == "${install_folder,,}\\star-editor.exe" ]] || fail "the shortcut starts \"${link[0]}\""
[[ "${link[1],,}" == "${install_folder,,}" || "${link[1],,}" == "${install_folder,,}\\" ]] ||
  fail "the shortcut's working folder is \"${link[1]}\""
icon=""
if [[ -n "${link[2]}" ]]; then icon="$(winepath -u "${link[2]}")"; fi
[[ -f "$icon" ]] || fail "the shortcut's icon \"${link[2]}\" is not there"
# The program's icon holds a picture for every size of the menu icons.
for picture in "$repo"/packaging/linux/icons/*.png; do
  size="$(basename "$picture" .png)"
  icotool -l "$icon" | grep -q -- "--width=${size%x*} --height=${size#*x} " ||
    fail "the shortcut's icon ${link[2]} has no $size picture, so it is not the program's"
done
log "ok: the Start-menu shortcut starts ${link[0]} in ${link[1]}, with the program's icon"
expect_one_entry "$version"
log "ok: one uninstall entry, \"Star Polygon Editor\" $version"

start_editor "$(winepath -u "${link[1]}")" "${link[0]}" SDL_AUDIODRIVER=dummy
editor_window
check_frames "$STAR_REFERENCE_FRAMES" installed
close_editor
log "ok: the installed program, started as the shortcut says, shows the Linux build's first frame"

msiexec_quietly /x "$msi"
expect_nothing_left
[[ -z "$(uninstall_entries)" ]] || fail "msiexec /x left the uninstall entry behind"
log "ok: msiexec /x /qn removes every file it installed, the shortcut and the uninstall entry"

# The same files as a newer version: installed over this one, it replaces it.
IFS=. read -r major minor patch <<<"$version"
newer="$major.$minor.$((patch + 1))"
"$repo/packaging/windows/build-installer" "$app" "$newer" "$work/newer.msi"
msiexec_quietly /i "$msi"
msiexec_quietly /i "$work/newer.msi"
expect_one_entry "$newer"
[[ -f "$installed/star-editor.exe" && -f "$shortcut" ]] || fail "after the upgrade the program or its shortcut is gone"
msiexec_quietly /x "$work/newer.msi"
expect_nothing_left
log "ok: version $newer installed over $version replaces it (one uninstall entry), and /x removes it all"

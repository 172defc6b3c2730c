# The zip under Wine: every DLL the binaries import is in the zip or part of Windows; the window is titled and sized
# as on Linux; its first frame and the frame after a click on the vertex box, 5 and Enter are the Linux build's own
# offscreen frames; WM_DELETE_WINDOW ends it with status 0; without an audio device it says which step failed and
# exits 1. A phase of tests/windows/check-windows, sourced in its Wine session (wine.sh).
# shellcheck shell=bash disable=SC2154 # app, work and the like come from wine.sh, repo from common.sh

# A MinGW runtime DLL, say, is neither.
for binary in "$app"/*.exe "$app"/*.dll; do
  for needed in $(x86_64-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/ { print $3 }'); do
    [[ -f "$app/$needed" || -n "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$needed")" ]] ||
      fail "$(basename "$binary") needs $needed, which is neither in the zip nor part of Windows"
  done
done
log "ok: every DLL the binaries import is in the zip or part of Windows"

start_editor "$app" star-editor.exe SDL_AUDIODRIVER=dummy
editor_window
[[ "${w}x$h" == "${STAR_WINDOW_WIDTH}x$STAR_WINDOW_HEIGHT" ]] ||
  fail "the window is ${w}x$h, not ${STAR_WINDOW_WIDTH}x$STAR_WINDOW_HEIGHT"
log "ok: window \"$STAR_WINDOW_TITLE\", ${w}x$h"
check_frames "$STAR_REFERENCE_FRAMES" zip edit
close_editor
log "ok: WM_DELETE_WINDOW ends it with status 0, nothing on standard error"

# Wine's only sound driver left is ALSA, with an empty configuration: WASAPI finds no endpoint, whatever the machine
# has. (With no Wine sound driver at all, SDL_Init itself fails instead.)
: >"$work/no-sound-cards.conf"
start_editor "$app" star-editor.exe SDL_AUDIODRIVER=wasapi ALSA_CONFIG_PATH="$work/no-sound-cards.conf" \
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winepulse.drv,wineoss.drv="
wait_for_exit "$editor_pid" 60 || fail "without an audio device the program did not end within 60 s"
editor_pid=""
expected_start="${STAR_STARTUP_FAILURE_PREFIX}Mix_OpenAudio: "
failure_line="$(awk -v start="$expected_start" 'index($0, start) == 1 { print; exit }' "$work/stderr")"
[[ -n "$failure_line" ]] ||
  fail "without an audio device the line \"$expected_start…\" is missing; the program wrote: $(cat "$work/stderr")"
((exit_status == 1)) || fail "a failed start-up exited with status $exit_status, not 1"
log "ok: without an audio device: \"$failure_line\", status 1 once standard input ends"

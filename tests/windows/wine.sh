# What the phases of the Windows check share (zip.sh, installer.sh, screen.sh): tests/windows/check-windows sources
# this, after packaging/common.sh, and then the phases of one Wine session, in an X server that xvfb-run started for
# them, with the environment it exports (the unpacked zip, the reference frames, the program's facts). It defines:
#
#   wine_start DPI                       starts the Wine server of the check's own prefix (making the prefix the
#                                        first time; with a DPI, "" for the prefix's own, the display's LogPixels
#                                        first); it ends with the session, with the program the session started
#   start_editor FOLDER PROGRAM [VAR=VALUE...]  runs PROGRAM in FOLDER, as a double-click or a shortcut does
#   editor_window                        the started program's window, titled as on Linux: sets window and its
#                                        client area x, y, w, h on the screen
#   settle_window                        waits until the window's place and size have stayed the same for a second
#                                        (the program opens at the size the screen allows without decorations,
#                                        then fits itself with them), and sets x, y, w, h again
#   expect_frame EXPECTED SHOT           captures the window into SHOT until it matches EXPECTED or a minute is
#                                        up; prints compare-frames' last line, returns 1 when it never matched
#   check_frames FRAMES NAME [edit]      the first frame against FRAMES/default-screen.png; with edit, then a click
#                                        on the left vertex box, 5 and Enter against FRAMES/five-vertices.png
#   close_editor                         what a window manager sends for the close button: the program must end
#                                        with status 0 and nothing on standard error
# shellcheck shell=bash disable=SC2034,SC2154 # the variables are the phases'; repo comes from common.sh
[[ -n "${DISPLAY:-}" && -n "${STAR_WINDOWS_WORK:-}" ]] || fail "run by tests/windows/check-windows, under xvfb-run"

work="$STAR_WINDOWS_WORK"
app="$work/app"
compare="$(build_folder STAR_BUILD_DIR build)/tests/compare-frames"
# The frames captured here are kept for a person to look at.
shots="$(build_folder STAR_WINDOWS_BUILD_DIR build-windows)/wine-frames"
# Wine writes menu entries and file associations under HOME: a home of its own keeps the real one untouched.
# No Mono or Gecko installer prompts when the prefix is made, no menu entries.
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Everything a phase started, by process id; wineserver -k ends the Wine helpers of this prefix only.
editor_pid=""
_star_wine_stop() {
  if [[ -n "$editor_pid" ]] && kill -0 "$editor_pid" 2>/dev/null; then kill "$editor_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  wait "$_star_wineserver" 2>/dev/null || true
}
mkdir -p "$HOME" "$WINEPREFIX" "$shots"

wine_start() {
  if [[ -n "${1:-}" ]]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
      fail "could not set LogPixels to $1"
    wineserver -w  # the programs started from here on read the DPI afresh
  fi
  wineserver -f -p &
  _star_wineserver=$!
  on_exit _star_wine_stop
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot -i >"$work/wineboot.log" 2>&1 ||
      fail "wineboot could not make the Wine prefix: $(cat "$work/wineboot.log")"
    log "a fresh Wine prefix on $DISPLAY"
  fi
}

start_editor() {
  local folder="$1" program="$2"
  shift 2
  (cd "$folder" && exec env "$@" wine "$program" >"$work/stdout" 2>"$work/stderr" </dev/null) &
  editor_pid=$!
}

_star_window_geometry() {
  read -r x y w h < <(xwininfo -id "$window" | awk '/Absolute upper-left X:/ { x = $4 }
    /Absolute upper-left Y:/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
}

editor_window() {
  local name
  window="$(visible_window 60 --name "^$STAR_WINDOW_TITLE\$")" ||
    fail "no window titled \"$STAR_WINDOW_TITLE\" within 60 s; the program wrote: $(cat "$work/stderr")"
  name="$(xdotool getwindowname "$window")"
  [[ "$name" == "$STAR_WINDOW_TITLE" ]] || fail "the window title is \"$name\""
  _star_window_geometry
}

settle_window() {
  local deadline=$((SECONDS + 30)) before=""
  while [[ "$x $y $w $h" != "$before" ]]; do
    ((SECONDS < deadline)) || fail "the window kept changing its size or place (last: $x $y $w $h)"
    before="$x $y $w $h"
    sleep 1
    _star_window_geometry
  done
}

expect_frame() {
  local expected="$1" shot="$2" deadline=$((SECONDS + 60)) result
  while :; do
    import -window "$window" "png24:$shot" 2>/dev/null || true
    if result="$("$compare" "$shot" "$expected")"; then echo "$result"; return 0; fi
    ((SECONDS < deadline)) || { echo "$result"; return 1; }
    sleep 0.5
  done
}

check_frames() {
  local frames="$1" name="$2" result
  result="$(expect_frame "$frames/default-screen.png" "$shots/$name-default-screen.png")" ||
    fail "$name: first frame: $result (captured: $shots/$name-default-screen.png)"
  log "ok: $name: the first frame is the Linux build's default-screen.png at ${w}x$h: $result"
  [[ "${3:-}" == edit ]] || return 0
  # The left "Number Of Vertices" box where a window of this width shows it, then 5 and Enter: {5/2} on the left.
  xdotool mousemove --window "$window" $((STAR_VERTEX_BOX_X * w / STAR_WINDOW_WIDTH)) \
    $((STAR_VERTEX_BOX_Y * w / STAR_WINDOW_WIDTH)) click 1
  timeout 20 xdotool windowfocus --sync "$window" key 5 Return || fail "could not give the window the keyboard focus"
  result="$(expect_frame "$frames/five-vertices.png" "$shots/$name-five-vertices.png")" ||
    fail "$name: after 5 vertices: $result (captured: $shots/$name-five-vertices.png)"
  log "ok: $name: click on the vertex box, 5, Enter: the Linux build's five-vertices.png: $result"
}

close_editor() {
  /usr/bin/python3 - "$window" <<'PYTHON'
import sys
from Xlib import X, display
from Xlib.protocol import event
screen = display.Display()
window = screen.create_resource_object("window", int(sys.argv[1]))
protocols = screen.intern_atom("WM_PROTOCOLS")
message = event.ClientMessage(window=window, client_type=protocols,
                              data=(32, [screen.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
screen.flush()
PYTHON
  wait_for_exit "$editor_pid" 30 || fail "the program did not end within 30 s of WM_DELETE_WINDOW"
  editor_pid=""
  ((exit_status == 0)) ||
    fail "closed by WM_DELETE_WINDOW, the program exited with status $exit_status; it wrote: $(cat "$work/stderr")"
  [[ ! -s "$work/stderr" ]] || fail "the program wrote to standard error: $(cat "$work/stderr")"
}

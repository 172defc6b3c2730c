# i3 under Xvfb (1366 x 768) with its bar. i3 first floats the window (its size is fixed): there it must lie whole
# above the bar, which i3 publishes as a dock's strut, not as a work area. Then it is tiled as i3 users tile every
# window (`floating disable`): the frame at that size, then a click on the vertex box where the editor draws it, 5
# and Enter.
# A desktop of tests/linux/check-desktops, sourced after desktop.sh, in an X server of its own.
# shellcheck shell=bash disable=SC2154 # scratch, the STAR_ facts and the helpers come from desktop.sh
# A bar without a status line: nothing on the screen changes while the check runs.
cat >"$scratch/i3.config" <<'CONFIG'
# i3 config file (v4)
font pango:DejaVu Sans Mono 8
bar {
  position bottom
}
CONFIG
i3 -c "$scratch/i3.config" >"$scratch/i3.log" 2>&1 &
i3_pid=$!
on_exit "kill $i3_pid 2>/dev/null; wait $i3_pid 2>/dev/null"
wait_until 30 i3-msg -t get_version || fail "i3 did not start within 30 s: $(tail -n 5 "$scratch/i3.log") (on $DISPLAY: $(xdpyinfo 2>&1 | head -n 1))"
bar="$(visible_window 30 --class i3bar)" || fail "i3 shows no bar within 30 s"

start_editor SDL_VIDEO_X11_FORCE_EGL=1
editor_window
window_geometry
bar_top="$(xwininfo -id "$bar" | awk '/Absolute upper-left Y:/ { print $4 }')"
((y >= 0 && y + h <= bar_top)) || fail "floating, the window (${w}x$h at $x,$y) is not above i3's bar (from $bar_top)"
log "ok: i3 floats the window at ${w}x$h at $x,$y, above its bar (from y = $bar_top)"
floating="${w}x$h"
i3-msg "[id=$window] floating disable" >/dev/null || fail "i3 could not tile the window"
tiled() { window_geometry && [[ "${w}x$h" != "$floating" ]]; }
wait_until 30 tiled || fail "the window kept its floating size $floating once tiled"
window_geometry
log "i3 tiles the window to ${w}x$h at $x,$y"
expect_drawing i3-tiled "$w" "$h" default-screen capture_window
import -window root "png24:$shots/i3-tiled-screen.png"  # the whole screen, for a person to look at
xdotool mousemove --window "$window" "$(vertex_box_x)" "$(vertex_box_y)" click 1
timeout 20 xdotool windowfocus --sync "$window" key 5 Return || fail "could not give the window the keyboard focus"
expect_drawing i3-tiled-five-vertices "$w" "$h" five-vertices capture_window
stop_editor

# openbox under Xvfb at 1366 x 768, a screen smaller than the window the editor asks for: the window must appear
# once, at its final size and place, whole on the screen with its decorations, and show the frame at that size.
# Its geometry is sampled from before it is mapped until a few seconds after (python3-xlib, a few hundred times a
# second), so a window first shown at one size or place and then moved or fitted is seen.
# A desktop of tests/linux/check-desktops, sourced after desktop.sh, in an X server of its own.
# shellcheck shell=bash disable=SC2154 # scratch, the STAR_ facts and the helpers come from desktop.sh
openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
openbox_pid=$!
on_exit "kill $openbox_pid 2>/dev/null; wait $openbox_pid 2>/dev/null"
wait_until 30 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
  fail "openbox did not start within 30 s: $(tail -n 5 "$scratch/openbox.log")"

# Prints "x y w h" for each geometry the window titled ARGV[1] shows from its first map, for ARGV[2] seconds after;
# writes ARGV[3] once it watches.
/usr/bin/python3 - "$STAR_WINDOW_TITLE" 3 "$scratch/sampling" >"$scratch/geometries" <<'PYTHON' &
import sys, time
from Xlib import X, display, error
screen = display.Display()
root = screen.screen().root
title, seconds = sys.argv[1].encode(), float(sys.argv[2])
name_atom, utf8 = screen.intern_atom("_NET_WM_NAME"), screen.intern_atom("UTF8_STRING")
open(sys.argv[3], "w").write("watching\n")

def titled(window):
    for child in window.query_tree().children:
        try:
            name = child.get_full_property(name_atom, utf8)
            if name is not None and name.value == title:
                return child
            found = titled(child)
        except error.XError:
            continue
        if found is not None:
            return found
    return None

window, first_map, last, deadline = None, None, None, time.monotonic() + 60
while time.monotonic() < (deadline if first_map is None else first_map + seconds):
    time.sleep(0.002)
    try:
        if window is None:
            window = titled(root)
        if window is None or window.get_attributes().map_state != X.IsViewable:
            continue
        place, size = root.translate_coords(window, 0, 0), window.get_geometry()
    except error.XError:
        continue
    first_map = first_map or time.monotonic()
    geometry = f"{place.x} {place.y} {size.width} {size.height}"
    if geometry != last:
        print(geometry, flush=True)
        last = geometry
PYTHON
sampler=$!
wait_for_file "$scratch/sampling" 30 "$sampler" || fail "the geometry sampler did not start"

start_editor SDL_VIDEO_X11_FORCE_EGL=1
wait_for_exit "$sampler" 90 || fail "the geometry sampler did not end"
((exit_status == 0)) || fail "the geometry sampler failed"
geometries="$(cat "$scratch/geometries")"
[[ -n "$geometries" ]] || fail "openbox showed no window titled \"$STAR_WINDOW_TITLE\" within 60 s"
[[ "$geometries" != *$'\n'* ]] ||
  fail "the window changed its place or size after it was first shown (x y w h): ${geometries//$'\n'/, }"
editor_window
window_geometry
[[ "$x $y $w $h" == "$geometries" ]] || fail "the window moved to $x $y $w $h after the sampling ($geometries)"
IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.* = //')
screen="$(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')"
((x - left >= 0 && y - top >= 0 && x + w + right <= ${screen%x*} && y + h + bottom <= ${screen#*x})) ||
  fail "the window (${w}x$h at $x,$y, decorations $left $right $top $bottom) is not whole on the $screen screen"
log "ok: openbox shows the window once, at ${w}x$h at $x,$y, decorations (left right top bottom) $left $right" \
  "$top $bottom, whole on the $screen screen"
expect_drawing "openbox-$screen" "$w" "$h" default-screen capture_window
import -window root "png24:$shots/openbox-$screen-screen.png"  # the whole screen, for a person to look at
stop_editor

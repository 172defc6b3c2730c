# The zip on a screen of another size or density: the window opens 4 : 3, whole on the screen, and shows the Linux
# build's own frames at its size, before and after a click on the vertex box, 5 and Enter. Prints the window's size.
# A phase of tests/windows/check-windows, sourced in its Wine session (wine.sh) on an X server of one screen.
# shellcheck shell=bash disable=SC2154 # app, work and the like come from wine.sh, repo from common.sh
screen="$(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')"
name="screen-$screen"

start_editor "$app" star-editor.exe SDL_AUDIODRIVER=dummy
editor_window
settle_window
((w * STAR_WINDOW_HEIGHT == h * STAR_WINDOW_WIDTH)) || fail "$name: the window is ${w}x$h, not 4 : 3"
((x >= 0 && y >= 0 && x + w <= ${screen%x*} && y + h <= ${screen#*x})) ||
  fail "$name: the window (${w}x$h at $x,$y) is not whole on the $screen screen"
frames="$("$repo/tests/reference-frames" "$w" 2>"$work/reference-frames.log")" ||
  { cat "$work/reference-frames.log" >&2; fail "the Linux build's frames at $w pixels could not be rendered"; }
check_frames "$frames" "$name" edit
close_editor
echo "${w}x$h"

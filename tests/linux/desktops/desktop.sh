# What the desktop checks share (sway.sh, i3.sh, openbox.sh): tests/linux/check-desktops sources this, after
# packaging/common.sh, then one desktop's file, with the environment it exports (the build folder, the program's
# facts, the folder the screenshots are kept in). It defines:
#
#   wait_until SECONDS COMMAND...  runs COMMAND every 0.1 s until it succeeds; returns 1 when SECONDS pass first
#   start_editor [VAR=VALUE...]    starts the build's editor from the repository (where Resources/ is) with the
#                                  dummy audio driver and the variables given; it is ended when the script ends
#   stop_editor                    SIGTERM, as a session's end sends it: the editor must end with status 0 within
#                                  30 s and have written nothing on standard error
#   expect_drawing NAME W H FRAME CAPTURE...
#                                  runs CAPTURE SHOT (which writes the window's drawable, W x H pixels, as a PNG)
#                                  until SHOT shows the reference FRAME (default-screen or five-vertices) at the
#                                  size the editor fits into W x H, centred between margins of the chrome colour,
#                                  or a minute is up; keeps SHOT as NAME.png among the screenshots and logs
#                                  compare-frames' figures; sets drawing_left, drawing_top, drawing_width: where
#                                  the drawing lies in the drawable, in its pixels
#   vertex_box_x, vertex_box_y     the middle of the left "Number Of Vertices" box in the drawable, from those
# and on X11 (i3.sh, openbox.sh):
#   editor_window                  waits a minute at most for the editor's window to be shown; sets window
#   window_geometry                sets x, y (its place on the screen), w and h (its size) from window
#   capture_window SHOT            writes what window shows into the PNG SHOT
# shellcheck shell=bash disable=SC2034,SC2154 # the variables set are the desktops'; the STAR_ facts are exported
[[ -n "${STAR_WINDOW_TITLE:-}" && -n "${STAR_DESKTOP_SHOTS:-}" ]] || fail "run by tests/linux/check-desktops"

build_dir="$(build_folder STAR_BUILD_DIR build)"
shots="$STAR_DESKTOP_SHOTS"
scratch="$(temp_dir)"

wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

editor_pid=""
# shellcheck disable=SC2016 # evaluated at the end, with the pid of that moment
on_exit '[[ -z "$editor_pid" ]] || kill -KILL "$editor_pid" 2>/dev/null'
start_editor() {
  (cd "$repo" && exec env SDL_AUDIODRIVER=dummy "$@" "$build_dir/star-editor" </dev/null >/dev/null \
    2>"$scratch/stderr") &
  editor_pid=$!
}

stop_editor() {
  kill -TERM "$editor_pid"
  wait_for_exit "$editor_pid" 30 || fail "the editor did not end within 30 s of SIGTERM"
  editor_pid=""
  ((exit_status == 0)) || fail "asked to quit, the editor ended with status $exit_status: $(cat "$scratch/stderr")"
  [[ ! -s "$scratch/stderr" ]] || fail "the editor wrote to standard error: $(cat "$scratch/stderr")"
}

# The reference frames at a width into _star_frames, rendered once per width and run.
_star_reference_frames() {
  local rendered
  _star_frames="$scratch/frames-$1"
  [[ ! -d "$_star_frames" ]] || return 0
  rendered="$("$repo/tests/reference-frames" "$1" 2>"$scratch/reference-frames.log")" ||
    { cat "$scratch/reference-frames.log" >&2; fail "the reference frames at $1 pixels could not be rendered"; }
  cp -r "$rendered" "$_star_frames"
}

expect_drawing() {
  local name="$1" width="$2" height="$3" frame="$4" steps expected result deadline=$((SECONDS + 60))
  shift 4
  # The largest area in whole 4 x 3 steps, centred; an odd pixel left over goes to the right and the bottom.
  steps=$((width / 4 < height / 3 ? width / 4 : height / 3))
  drawing_width=$((steps * 4)) drawing_left=$(((width - steps * 4) / 2)) drawing_top=$(((height - steps * 3) / 2))
  expected="$scratch/$name-expected.png"
  _star_reference_frames "$drawing_width"
  convert -size "${width}x$height" "xc:$STAR_CHROME_COLOR" "$_star_frames/$frame.png" \
    -geometry "+$drawing_left+$drawing_top" -composite "png24:$expected"
  while :; do
    "$@" "$shots/$name.png" 2>>"$scratch/capture.log" || true
    if result="$("$build_dir/tests/compare-frames" "$shots/$name.png" "$expected" --tolerance 3 --max-share 0.01 \
      --solid 2)"; then
      break
    fi
    ((SECONDS < deadline)) || fail "$name: not the $frame frame within a minute: $result (kept: $shots/$name.png)"
    sleep 0.5
  done
  log "ok: $name: ${width}x$height, the $frame frame at ${drawing_width} pixels wide at" \
    "($drawing_left, $drawing_top) between margins of $STAR_CHROME_COLOR: $result"
}

vertex_box_x() { echo $((drawing_left + STAR_VERTEX_BOX_X * drawing_width / STAR_WINDOW_WIDTH)); }
vertex_box_y() { echo $((drawing_top + STAR_VERTEX_BOX_Y * drawing_width / STAR_WINDOW_WIDTH)); }

editor_window() {
  window="$(visible_window 60 --name "^$STAR_WINDOW_TITLE\$")" ||
    fail "no window titled \"$STAR_WINDOW_TITLE\" within 60 s; the editor wrote: $(cat "$scratch/stderr")"
}

window_geometry() {
  read -r x y w h < <(xwininfo -id "$window" | awk '/Absolute upper-left X:/ { x = $4 }
    /Absolute upper-left Y:/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
}

capture_window() { import -window "$window" "png24:$1"; }

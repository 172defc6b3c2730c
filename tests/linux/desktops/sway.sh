# sway 1.7, headless, as an unprivileged user: the editor on native Wayland (SDL_VIDEODRIVER=wayland), tiled by sway
# to another size than it asks for, on a 1280 x 720 output and then on a 2560 x 1440 output at scale 2 (1280 x 720
# points), where its drawable must have the output's pixels. grim takes the frames.
# A desktop of tests/linux/check-desktops, sourced after desktop.sh.
# shellcheck shell=bash disable=SC2154 # scratch, the STAR_ facts and the helpers come from desktop.sh
runtime="$(temp_dir)"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  # sway refuses to run as root.
  chown nobody:nogroup "$runtime"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
cat >"$runtime/config" <<'CONFIG'
xwayland disable
output HEADLESS-1 resolution 1280x720 scale 1
CONFIG
# sway's sockets are made there; the editor, grim and swaymsg find them through these.
export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1
(exec env HOME="$runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${as_user[@]}" \
  sway -c "$runtime/config" >"$scratch/sway.log" 2>&1) &
sway_pid=$!
on_exit "kill $sway_pid 2>/dev/null; wait $sway_pid 2>/dev/null"
# sway names its sockets after its user and its process (the exec's chain keeps the process).
SWAYSOCK="$runtime/sway-ipc.$(stat -c %u "$runtime").$sway_pid.sock"
export SWAYSOCK
wait_until 30 swaymsg -t get_version || fail "sway did not start within 30 s: $(tail -n 5 "$scratch/sway.log")"
[[ -S "$runtime/$WAYLAND_DISPLAY" ]] || fail "sway made no $WAYLAND_DISPLAY socket: $(ls "$runtime")"

# The editor's window as sway tiles it: "X,Y WxH" in points, as grim -g takes it.
tiled_window() {
  swaymsg -t get_tree | jq -er --arg title "$STAR_WINDOW_TITLE" '.. | objects
    | select(.name? == $title and .type == "con" and .window_rect.width > 0)
    | "\(.rect.x + .window_rect.x),\(.rect.y + .window_rect.y) \(.window_rect.width)x\(.window_rect.height)"'
}

# The window's place once sway has settled it: as a window first maps, sway can report it without its title bar.
settled_window() {
  local first
  first="$(tiled_window)" && sleep 0.5 && [[ "$(tiled_window)" == "$first" ]]
}

# grim SHOT, of where the window is at that moment.
capture_tile() { grim -g "$(tiled_window)" "$1"; }

for scale in 1 2; do
  swaymsg output HEADLESS-1 resolution "$((1280 * scale))x$((720 * scale))" scale "$scale" >/dev/null
  start_editor SDL_VIDEODRIVER=wayland
  wait_until 60 settled_window || fail "no tiled window titled \"$STAR_WINDOW_TITLE\" settled within 60 s"
  window="$(tiled_window)"
  size="${window#* }"
  log "sway at scale $scale tiles the window to $size points at ${window%% *}"
  expect_drawing "sway-scale-$scale" $((${size%x*} * scale)) $((${size#*x} * scale)) default-screen \
    capture_tile
  grim "$shots/sway-scale-$scale-screen.png"  # the whole output, for a person to look at
  stop_editor
done

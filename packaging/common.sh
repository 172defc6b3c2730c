# The shell every script of scripts/, packaging/ and tests/ shares. Sourced first thing, after `set -euo pipefail`:
#
#   source "$(dirname "${BASH_SOURCE[0]}")/../packaging/common.sh"     (from scripts/; adjust the path elsewhere)
#
# It defines:
#   repo                       the repository root, an absolute path
#   jobs                       how many compile jobs to run (the machine's cores)
#   werror                     ON under CI (CI is set), else OFF: the value for -DSTAR_WARNINGS_AS_ERRORS
#   log MESSAGE...             "<script>: MESSAGE" on standard error (standard output is left for results)
#   fail MESSAGE...            "<script>: FAILED: MESSAGE" on standard error, then exit 1
#   build_folder VAR NAME      prints the absolute build folder: $VAR when it is set, else $repo/NAME
#   on_exit COMMAND            runs COMMAND (a string, evaluated) when the script ends; last registered runs first
#                              (a script that sources this sets no EXIT trap of its own)
#   temp_dir                   makes a temporary folder, removed when the script ends, and prints its path
#   wait_for_file FILE SECONDS [PID]
#                              waits until FILE exists and is not empty; returns 1 when SECONDS pass first, or
#                              when process PID ends first
#   wait_for_exit PID SECONDS  waits until the child process PID ends and puts its exit status in exit_status;
#                              returns 1 (leaving it running) when SECONDS pass first
#   offscreen                  exports SDL's offscreen video and dummy audio drivers and a 1920 x 1080 usable
#                              screen, where the window opens at the scale of the suite's pictures
#   reproducible               makes what the script builds depend on the commit only: exports SOURCE_DATE_EPOCH
#                              (unless set: the time of the commit checked out, which the shipped files carry
#                              instead of the time they were built at) and TZ=UTC, and sets the umask to 022
#   settle_tree FOLDER         gives everything below FOLDER the modes 755 (folders) and 644 (files) and the time
#                              SOURCE_DATE_EPOCH, so that an archive of it depends on neither the umask nor the clock
#   npm_ci FOLDER              installs Node.js and npm where they are missing, then the packages that FOLDER's
#                              package-lock.json pins, into FOLDER/node_modules/
# shellcheck shell=bash disable=SC2034

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"
# CI treats warnings as errors; a developer's newer compiler should not stop the editor from building.
werror=OFF
if [[ -n "${CI:-}" ]]; then werror=ON; fi

_star_script="$(basename "$0")"
log() { echo "$_star_script: $*" >&2; }
fail() {
  echo "$_star_script: FAILED: $*" >&2
  exit 1
}

build_folder() { realpath -m "${!1:-$repo/$2}"; }

_star_on_exit=()
_star_run_on_exit() {
  local index
  for ((index = ${#_star_on_exit[@]} - 1; index >= 0; --index)); do eval "${_star_on_exit[index]}" || true; done
}
on_exit() {
  _star_on_exit+=("$1")
  trap _star_run_on_exit EXIT
}

# One folder per script run holds its temporary folders; $$ is the script's own process also inside $( ).
_star_temp_root="${TMPDIR:-/tmp}/star-$_star_script.$$"
on_exit "rm -rf '$_star_temp_root'"
temp_dir() {
  mkdir -p "$_star_temp_root"
  mktemp -d "$_star_temp_root/XXXXXX"
}

wait_for_file() {
  local file="$1" deadline=$((SECONDS + $2)) pid="${3:-}"
  until [[ -s "$file" ]]; do
    ((SECONDS < deadline)) || return 1
    if [[ -n "$pid" ]] && ! kill -0 "$pid" 2>/dev/null; then [[ -s "$file" ]]; return; fi
    sleep 0.1
  done
}

# Bash reaps its background children as they end and keeps their status for `wait`, so kill -0 sees the end.
wait_for_exit() {
  local pid="$1" deadline=$((SECONDS + $2))
  while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
  exit_status=0
  wait "$pid" || exit_status=$?
}

# The first visible X window that `xdotool search ARGS...` finds within SECONDS. Asked again and again rather than
# with --sync: Xlib ends xdotool on the first BadWindow, which a window closed during the search raises (Wine makes
# and closes some as it starts).
visible_window() {
  local deadline=$((SECONDS + $1)) windows
  shift
  until windows="$(timeout 10 xdotool search --onlyvisible "$@" 2>/dev/null)" && [[ -n "$windows" ]]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
  echo "${windows%%$'\n'*}"
}

offscreen() {
  export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy SDL_DISPLAY_USABLE_BOUNDS=0,0,1920,1080
}

reproducible() {
  if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH="$(git -C "$repo" log -1 --format=%ct 2>/dev/null)" ||
      fail "no commit to take the files' time from (SOURCE_DATE_EPOCH is not set and $repo is no git checkout)"
  fi
  export SOURCE_DATE_EPOCH TZ=UTC
  umask 022
}

settle_tree() {
  find "$1" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
  find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

npm_ci() {
  if ! command -v npm >/dev/null; then "$repo/packaging/install-packages" nodejs npm; fi
  (cd "$1" && npm ci --no-audit --no-fund --loglevel=error >&2)
}

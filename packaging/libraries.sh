# What packaging/build-libraries builds, and how, for every platform: the libraries in build order and the steps of
# one library's build. Sourced by build-libraries after the platform's recipe (packaging/<platform>/libraries.sh).
# Its text is part of the cache key, so a change here rebuilds the libraries; build-libraries itself only finds the
# sources and manages the cache.
# shellcheck shell=bash disable=SC2034,SC2154

# Library name, Debian source package; in build order (HarfBuzz needs FreeType, SDL2_ttf needs both).
libraries=(
  SDL2:libsdl2
  freetype:freetype
  harfbuzz:harfbuzz
  SDL2_ttf:libsdl2-ttf
  SDL2_image:libsdl2-image
  SDL2_mixer:libsdl2-mixer
)
# A platform's recipe may leave some out (platform_left_out).
kept_libraries=()
for entry in "${libraries[@]}"; do
  [[ " ${platform_left_out[*]-} " == *" ${entry%%:*} "* ]] || kept_libraries+=("$entry")
done
libraries=("${kept_libraries[@]}")

# Unpacks one source package into WORK/NAME, builds it in WORK/build-NAME and installs it into PREFIX, with its
# licence texts in PREFIX/share/licenses/NAME/. The compiler's log goes to WORK/NAME.log.
#
#   build_library NAME DSC WORK PREFIX
#
# The result depends on neither folder nor the clock: file names inside the binaries are written relative to the
# temporary folder and the prefix, and the time the tools stamp (the PE linker's, on Windows) is the time of the
# source package's last Debian changelog entry, as Debian's own builds do.
build_library() {
  local name="$1" dsc="$2" work="$3" prefix="$4" source="$3/$1" log="$3/$1.log" options
  # apt checked the files against the signed index; dpkg-source's own signature warning goes to the log.
  dpkg-source --no-copy -x "$dsc" "$source" >"$log" 2>&1 || return 1
  mapfile -t options < <(platform_options "$name")
  (
    SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l "$source/debian/changelog" -S Timestamp)"
    export SOURCE_DATE_EPOCH
    # CMake's first configure takes its compile flags from these.
    export CFLAGS="-ffile-prefix-map=$work=. -ffile-prefix-map=$prefix=prefix"
    export CXXFLAGS="$CFLAGS"
    platform_cmake -S "$source" -B "$work/build-$name" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "${options[@]}" &&
      cmake --build "$work/build-$name" -j "$jobs" &&
      cmake --install "$work/build-$name"
  ) >>"$log" 2>&1 || return 1
  # A shipped build carries each library's licence. FreeType's LICENSE.TXT only names the licence to choose; the
  # text of the one taken here (the FreeType License) is docs/FTL.TXT.
  mkdir -p "$prefix/share/licenses/$name"
  local file
  for file in "$source"/LICENSE* "$source"/COPYING* "$source"/docs/FTL.TXT; do
    if [[ -f "$file" ]]; then cp "$file" "$prefix/share/licenses/$name/"; fi
  done
}

# The web recipe for packaging/build-libraries: static WebAssembly libraries built with Debian's Emscripten.
# Emscripten's own SDL2 port downloads its sources at build time, so SDL2 is built here like the rest.

platform_packages=(emscripten patch)
platform_key_files=("$repo/packaging/web/sdl2.cmake" "$repo/packaging/web/freetype.cmake"
  "$repo/packaging/web/sdl2_ttf.cmake" "$repo/packaging/web/sdl2_ttf-positions.patch"
  "$repo/packaging/web/sdl2_ttf-font-in-memory.patch")
# No shaper: SDL_ttf kerns from the page's font's legacy kern table (SubsetFont.cmake), and no text the editor shows
# holds a ligature or needs a script's shaping.
platform_left_out=(harfbuzz)

# Debian's emcc looks for Debian's acorn, which a node installed from elsewhere does not search.
export NODE_PATH=/usr/share/nodejs

# Emscripten's toolchain looks for packages only inside its root paths, so a prefix given to look in becomes a root.
platform_cmake() {
  local argument roots=()
  for argument; do
    if [[ "$argument" == -DCMAKE_PREFIX_PATH=* ]]; then roots+=("-DCMAKE_FIND_ROOT_PATH=${argument#*=}"); fi
  done
  emcmake cmake "$@" "${roots[@]}"
}

# No threads anywhere: a threaded build would need cross-origin isolation from every server of the page.
# Everything is built for size, since the page downloads every byte of it, and holds only what the editor reaches:
# the pixels it draws are the same as with the full libraries. -flto leaves the code generation to the program's
# link (Web.cmake), which then drops and merges across library boundaries: 4% of the compressed page. A library's
# own defines go into the Release flags too: CMAKE_C_FLAGS comes from the shared recipe's CFLAGS.
platform_options() {
  local defines=""
  echo -DBUILD_SHARED_LIBS=OFF
  case "$1" in
    SDL2)
      printf '%s\n' -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF
      # Video, events and audio, and what they rest on (timers, files, dynamic loading for EGL). The disk and dummy
      # drivers only serve when named in SDL_AUDIODRIVER or SDL_VIDEODRIVER, which a page never sets.
      printf '%s\n' -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF \
        -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_FILESYSTEM=OFF -DSDL_RENDER=OFF -DSDL_DISKAUDIO=OFF \
        -DSDL_DUMMYAUDIO=OFF -DSDL_DUMMYVIDEO=OFF -DSDL_OFFSCREEN=OFF -DSDL_ASSERTIONS=disabled \
        "-DCMAKE_PROJECT_SDL2_INCLUDE=$repo/packaging/web/sdl2.cmake"
      # Without the specialised blitters: the page swaps a text's channels into RGBA itself (render/GlCompatWeb.cpp),
      # and SDL's general converter serves any other layout.
      defines=" -DSDL_LEAN_AND_MEAN=1"
      ;;
    freetype)
      printf '%s\n' -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
        -DFT_DISABLE_BROTLI=ON "-DCMAKE_PROJECT_freetype_INCLUDE=$repo/packaging/web/freetype.cmake"
      ;;
    SDL2_ttf)
      printf '%s\n' -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF \
        "-DCMAKE_PROJECT_SDL2_ttf_INCLUDE=$repo/packaging/web/sdl2_ttf.cmake"
      ;;
    SDL2_image)
      # PNG through the bundled stb_image. VENDORED keeps the installed config from asking for libpng.
      printf '%s\n' -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=ON -DSDL2IMAGE_DEPS_SHARED=OFF \
        -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF
      ;;
    SDL2_mixer)
      printf '%s\n' -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF \
        -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF \
        -DSDL2MIXER_WAVE=OFF -DSDL2MIXER_GME=OFF -DSDL2MIXER_WAVPACK=OFF
      ;;
  esac
  printf '%s\n' "-DCMAKE_C_FLAGS_RELEASE=-Oz -flto -DNDEBUG$defines" \
    "-DCMAKE_CXX_FLAGS_RELEASE=-Oz -flto -DNDEBUG$defines"
}

# The web recipe for packaging/build-libraries: static WebAssembly libraries built with Debian's Emscripten.
# Emscripten's own SDL2 port downloads its sources at build time, so SDL2 is built here like the rest.

platform_packages=(emscripten)
platform_key_files=()

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
platform_options() {
  echo -DBUILD_SHARED_LIBS=OFF
  case "$1" in
    SDL2)
      printf '%s\n' -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF
      ;;
    freetype)
      printf '%s\n' -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
        -DFT_DISABLE_BROTLI=ON
      ;;
    harfbuzz)
      # Its CMake would otherwise find Emscripten's pthread stub and build a threaded library.
      printf '%s\n' -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF \
        -DCMAKE_DISABLE_FIND_PACKAGE_Threads=ON
      ;;
    SDL2_ttf)
      printf '%s\n' -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF
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
}

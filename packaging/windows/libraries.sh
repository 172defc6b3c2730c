# Windows x86-64 recipe for packaging/build-libraries: cross-built with MinGW-w64. SDL2 and its three companions
# are DLLs shipped beside the program; FreeType and HarfBuzz are linked into SDL2_ttf.dll.
# shellcheck shell=bash disable=SC2034

platform_packages=(g++-mingw-w64-x86-64-posix)
platform_key_files=("$repo/cmake/mingw-w64-x86_64.cmake")

platform_cmake() {
  cmake -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" "$@"
}

platform_options() {
  case "$1" in
    SDL2) printf '%s\n' -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL_TESTS=OFF ;;
    freetype)
      printf '%s\n' -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON ;;
    # Shaping with HarfBuzz gives the same kerning, and so the same text pixels, as the Linux build.
    harfbuzz) printf '%s\n' -DBUILD_SHARED_LIBS=OFF -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF ;;
    SDL2_ttf) printf '%s\n' -DBUILD_SHARED_LIBS=ON -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF ;;
    # PNG through the bundled stb_image; VENDORED keeps the installed config from asking for libpng and libjpeg.
    SDL2_image)
      printf '%s\n' -DBUILD_SHARED_LIBS=ON -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=ON -DSDL2IMAGE_SAMPLES=OFF \
        -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF ;;
    # No sound is ever played: no codec.
    SDL2_mixer)
      printf '%s\n' -DBUILD_SHARED_LIBS=ON -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF \
        -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF \
        -DSDL2MIXER_WAVE=OFF ;;
  esac
}

# Gives the page's SDL2 its audio resampling filter computed where it is first needed, for the web recipe
# (libraries.sh). SDL's own CMakeLists.txt includes this right after its project() call (CMAKE_PROJECT_SDL2_INCLUDE),
# and the unpacked source is rewritten here.
#
# SDL ships the filter as two tables of 2,561 floats, printed by its build-scripts/gen_audio_resampler_filter.c:
# 20 kB that hardly compress, an eighth of the compressed .wasm. The editor opens its audio at the device's own rate and
# plays no sound, so the page never resamples; should it, that program's arithmetic gives the same filter (a few of its
# floats one unit in the last place apart, from the C library's pow and sinf).

set(star_audio ${PROJECT_SOURCE_DIR}/src/audio)
file(READ ${star_audio}/SDL_audiocvt.c star_text)
# A second configure run finds its own work done.
string(FIND "${star_text}" "PrepareResamplerFilter" star_done)
if(star_done EQUAL -1)
  file(WRITE ${star_audio}/SDL_audio_resampler_filter.h [=[
/* The page's resampling filter (packaging/web/sdl2.cmake): what build-scripts/gen_audio_resampler_filter.c prints,
   computed by its own arithmetic on the first resampling. SDL's licence (zlib), as the file this one replaces. */

#define RESAMPLER_ZERO_CROSSINGS 5
#define RESAMPLER_BITS_PER_SAMPLE 16
#define RESAMPLER_SAMPLES_PER_ZERO_CROSSING (1 << ((RESAMPLER_BITS_PER_SAMPLE / 2) + 1))
#define RESAMPLER_FILTER_SIZE ((RESAMPLER_SAMPLES_PER_ZERO_CROSSING * RESAMPLER_ZERO_CROSSINGS) + 1)

static float ResamplerFilter[RESAMPLER_FILTER_SIZE];
static float ResamplerFilterDifference[RESAMPLER_FILTER_SIZE];
static SDL_bool ResamplerFilterReady = SDL_FALSE;

/* A "modified" Bessel function of the first kind, order 0. */
static double ResamplerBessel(const double x)
{
    const double xdiv2 = x / 2.0;
    double i0 = 1.0f;
    double f = 1.0f;
    int i = 1;

    while (1) {
        const double diff = SDL_pow(xdiv2, i * 2) / SDL_pow(f, 2);
        if (diff < 1.0e-21f) {
            break;
        }
        i0 += diff;
        i++;
        f *= (double) i;
    }
    return i0;
}

/* A Kaiser window (beta for 80 dB) with the cardinal sine applied, and the differences between its elements. */
static void PrepareResamplerFilter(void)
{
    const double beta = 0.1102 * (80.0 - 8.7);
    const int lenm1 = RESAMPLER_FILTER_SIZE - 1;
    const int lenm1div2 = lenm1 / 2;
    double bessel_beta;
    int i;

    if (ResamplerFilterReady) {
        return;
    }
    bessel_beta = ResamplerBessel(beta);
    ResamplerFilter[0] = 1.0f;
    for (i = 1; i < RESAMPLER_FILTER_SIZE; i++) {
        const double window = SDL_sqrt(1.0 - SDL_pow(((i - lenm1) / 2.0) / lenm1div2, 2.0));
        const double kaiser = ResamplerBessel(beta * window) / bessel_beta;
        ResamplerFilter[RESAMPLER_FILTER_SIZE - i] = (float) kaiser;
    }
    for (i = 1; i < RESAMPLER_FILTER_SIZE; i++) {
        const float x = (((float) i) / ((float) RESAMPLER_SAMPLES_PER_ZERO_CROSSING)) * ((float) M_PI);
        ResamplerFilter[i] *= SDL_sinf(x) / x;
        ResamplerFilterDifference[i - 1] = ResamplerFilter[i] - ResamplerFilter[i - 1];
    }
    ResamplerFilterDifference[lenm1] = 0.0f;
    ResamplerFilterReady = SDL_TRUE;
}
]=])
  # Both callers of the resampler, each found exactly once: an SDL whose resampling moved must not run without its
  # filter.
  foreach(star_call "cvt->len_cvt = SDL_ResampleAudio(" "retval = SDL_ResampleAudio(")
    string(FIND "${star_text}" "${star_call}" star_first)
    string(FIND "${star_text}" "${star_call}" star_last REVERSE)
    if(star_first EQUAL -1 OR NOT star_first EQUAL star_last)
      message(FATAL_ERROR "sdl2.cmake: SDL_audiocvt.c does not call the resampler as '${star_call}' once")
    endif()
    string(REPLACE "${star_call}" "PrepareResamplerFilter();\n    ${star_call}" star_text "${star_text}")
  endforeach()
  file(WRITE ${star_audio}/SDL_audiocvt.c "${star_text}")
endif()

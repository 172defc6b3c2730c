# Gives the page's SDL_ttf, built without HarfBuzz for the web recipe (libraries.sh), the text positions of the
# HarfBuzz build. SDL_ttf's own CMakeLists.txt includes this right after its project() call
# (CMAKE_PROJECT_SDL2_ttf_INCLUDE), and sdl2_ttf-positions.patch rewrites the unpacked source.
#
# Without HarfBuzz, SDL_ttf rounds each glyph's position to a whole pixel and nudges it by the hinter's side-bearing
# changes; with it, the advances and the kerning add up in 1/64 pixels and only the glyph is placed on the pixel.
# The patch makes the first add up as the second does, the kerning scaled from font units as HarfBuzz scales it,
# and every text the editor shows renders as on the desktop (tests/web/check-web compares them all).

set(star_source ${PROJECT_SOURCE_DIR}/SDL_ttf.c)
file(READ ${star_source} star_text)
# A second configure run finds its own work done.
string(FIND "${star_text}" "Positions as the HarfBuzz build computes them" star_done)
if(star_done EQUAL -1)
  find_program(STAR_PATCH patch REQUIRED)
  execute_process(
    COMMAND ${STAR_PATCH} --forward --batch -p1 -i ${CMAKE_CURRENT_LIST_DIR}/sdl2_ttf-positions.patch
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    RESULT_VARIABLE star_result OUTPUT_VARIABLE star_output ERROR_VARIABLE star_output)
  # An SDL_ttf whose positioning changed must not silently keep its own.
  if(NOT star_result EQUAL 0)
    message(FATAL_ERROR "sdl2_ttf.cmake: sdl2_ttf-positions.patch does not apply to this SDL_ttf:\n${star_output}")
  endif()
endif()

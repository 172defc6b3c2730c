# Patches the page's SDL_ttf, built without HarfBuzz for the web recipe (libraries.sh). SDL_ttf's own CMakeLists.txt
# includes this right after its project() call (CMAKE_PROJECT_SDL2_ttf_INCLUDE), and the patches rewrite the
# unpacked source.
#
# sdl2_ttf-positions.patch gives the text positions of the HarfBuzz build. Without HarfBuzz, SDL_ttf rounds each
# glyph's position to a whole pixel and nudges it by the hinter's side-bearing changes; with it, the advances and the
# kerning add up in 1/64 pixels and only the glyph is placed on the pixel. The patch makes the first add up as the
# second does, the kerning scaled from font units as HarfBuzz scales it, and every text the editor shows renders as
# on the desktop (tests/web/check-web compares them all).
#
# sdl2_ttf-font-in-memory.patch reads a font into memory when it is opened, and FreeType takes its tables and glyphs
# from there. SDL_ttf otherwise has FreeType seek and read through the file for each of them: on the page, two calls
# out of the WebAssembly into the runtime's file system every time.

set(star_source ${PROJECT_SOURCE_DIR}/SDL_ttf.c)
find_program(STAR_PATCH patch REQUIRED)

# Applies sdl2_ttf-NAME.patch unless the source holds MARK, a text the patch writes: a second configure run finds
# its own work done.
function(star_patch name mark)
  file(READ ${star_source} star_text)
  string(FIND "${star_text}" "${mark}" star_done)
  if(NOT star_done EQUAL -1)
    return()
  endif()
  execute_process(
    COMMAND ${STAR_PATCH} --forward --batch -p1 -i ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sdl2_ttf-${name}.patch
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    RESULT_VARIABLE star_result OUTPUT_VARIABLE star_output ERROR_VARIABLE star_output)
  # An SDL_ttf that changed there must not silently keep its own.
  if(NOT star_result EQUAL 0)
    message(FATAL_ERROR "sdl2_ttf.cmake: sdl2_ttf-${name}.patch does not apply to this SDL_ttf:\n${star_output}")
  endif()
endfunction()

star_patch(positions "Positions as the HarfBuzz build computes them")
star_patch(font-in-memory "The whole font, read at once")

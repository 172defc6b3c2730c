# The page's font: Resources/Baloo.ttf cut down to printable ASCII, the only characters the editor shows, with its
# kerning in a legacy kern table and without its OpenType layout (a twenty-seventh of the size). The page's SDL_ttf
# has no shaper (libraries.sh) and kerns from that table; no text the editor shows holds a ligature. The desktop
# builds ship the full font; the suite renders every text the editor can show with both and requires the same
# pixels (tests/SubsetFontTest.cpp), and tests/web/check-web requires them from the page's own SDL_ttf.
#
# Sets STAR_SUBSET_FONT_ROOT, a folder holding Resources/Baloo.ttf as the program opens it, and the target
# star_subset_font that makes it. Every name record stays, so the copyright and licence notices stay in the font.
find_program(STAR_PYFTSUBSET pyftsubset REQUIRED)

set(STAR_SUBSET_FONT_ROOT ${PROJECT_BINARY_DIR}/subset-font)
set(STAR_SUBSET_FONT ${STAR_SUBSET_FONT_ROOT}/Resources/Baloo.ttf)
set(star_ascii --unicodes=U+0020-007E --name-IDs=*)
set(star_legacy_kern ${CMAKE_CURRENT_LIST_DIR}/legacy-kern)
add_custom_command(
  OUTPUT ${STAR_SUBSET_FONT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STAR_SUBSET_FONT_ROOT}/Resources
  # The kerning of the ASCII glyphs, read from the layout they keep; then the layout and the glyphs only it reaches
  # (the ligatures, the small capitals) go.
  COMMAND ${STAR_PYFTSUBSET} ${PROJECT_SOURCE_DIR}/Resources/Baloo.ttf ${star_ascii} --layout-features=*
          --output-file=${STAR_SUBSET_FONT_ROOT}/with-layout.ttf
  COMMAND ${star_legacy_kern} ${STAR_SUBSET_FONT_ROOT}/with-layout.ttf ${STAR_SUBSET_FONT_ROOT}/kerned.ttf
  COMMAND ${STAR_PYFTSUBSET} ${STAR_SUBSET_FONT_ROOT}/kerned.ttf ${star_ascii} --drop-tables+=GSUB,GPOS,GDEF
          --legacy-kern --output-file=${STAR_SUBSET_FONT}
  DEPENDS ${PROJECT_SOURCE_DIR}/Resources/Baloo.ttf ${star_legacy_kern}
  COMMENT "Subsetting Resources/Baloo.ttf to printable ASCII, with a legacy kern table"
  VERBATIM)
add_custom_target(star_subset_font DEPENDS ${STAR_SUBSET_FONT})

# The page's font: Resources/Baloo.ttf cut down to printable ASCII, the only characters the editor shows (a
# thirteenth of the size). The desktop builds ship the full font; the suite renders every text the editor can show
# with both and requires the same pixels (tests/SubsetFontTest.cpp). Included by Web.cmake and by the suite.
#
# Sets STAR_SUBSET_FONT_ROOT, a folder holding Resources/Baloo.ttf as the program opens it, and the target
# star_subset_font that makes it. fontTools (Debian's fonttools) keeps every layout feature, so kerning and
# ligatures stay, and every name record, so the copyright and licence notices stay in the font.
find_program(STAR_PYFTSUBSET pyftsubset REQUIRED)

set(STAR_SUBSET_FONT_ROOT ${PROJECT_BINARY_DIR}/subset-font)
set(STAR_SUBSET_FONT ${STAR_SUBSET_FONT_ROOT}/Resources/Baloo.ttf)
add_custom_command(
  OUTPUT ${STAR_SUBSET_FONT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STAR_SUBSET_FONT_ROOT}/Resources
  COMMAND ${STAR_PYFTSUBSET} ${PROJECT_SOURCE_DIR}/Resources/Baloo.ttf --unicodes=U+0020-007E
          --layout-features=* --name-IDs=* --output-file=${STAR_SUBSET_FONT}
  DEPENDS ${PROJECT_SOURCE_DIR}/Resources/Baloo.ttf
  COMMENT "Subsetting Resources/Baloo.ttf to printable ASCII"
  VERBATIM)
add_custom_target(star_subset_font DEPENDS ${STAR_SUBSET_FONT})

# Cuts FreeType down to what the page draws with, for the web recipe (libraries.sh). FreeType's own CMakeLists.txt
# includes this right after its project() call (CMAKE_PROJECT_freetype_INCLUDE), before it copies its configuration
# headers, which are rewritten here in the unpacked source.
#
# The page renders one TrueType font with outlines and no hinting program: FreeType then hints with its auto-hinter
# and anti-aliases with the smooth rasteriser. The other font formats, the compressed-font streams, glyph-name
# tables, embedded bitmaps and colour layers, variations, the bytecode interpreter and the character maps other than
# format 4 (the only one the page's cut-down font has) are never reached, and dropping them changes no pixel of any
# text the editor shows.

set(star_config ${PROJECT_SOURCE_DIR}/include/freetype/config)

file(WRITE ${star_config}/ftmodule.h [=[
/* The modules of the page's FreeType (packaging/web/freetype.cmake). */
FT_USE_MODULE( FT_Module_Class, autofit_module_class )
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
]=])

set(star_dropped_options
  FT_CONFIG_OPTION_ENVIRONMENT_PROPERTIES
  FT_CONFIG_OPTION_SUBPIXEL_RENDERING
  FT_CONFIG_OPTION_USE_LZW
  FT_CONFIG_OPTION_USE_ZLIB
  FT_CONFIG_OPTION_POSTSCRIPT_NAMES
  FT_CONFIG_OPTION_ADOBE_GLYPH_LIST
  FT_CONFIG_OPTION_MAC_FONTS
  FT_CONFIG_OPTION_GUESSING_EMBEDDED_RFORK
  FT_CONFIG_OPTION_INCREMENTAL
  FT_CONFIG_OPTION_SVG
  TT_CONFIG_OPTION_EMBEDDED_BITMAPS
  TT_CONFIG_OPTION_COLOR_LAYERS
  TT_CONFIG_OPTION_POSTSCRIPT_NAMES
  TT_CONFIG_OPTION_BYTECODE_INTERPRETER
  TT_CONFIG_OPTION_GX_VAR_SUPPORT
  TT_CONFIG_OPTION_BDF
  AF_CONFIG_OPTION_CJK
  AF_CONFIG_OPTION_INDIC
  TT_CONFIG_CMAP_FORMAT_0
  TT_CONFIG_CMAP_FORMAT_2
  TT_CONFIG_CMAP_FORMAT_6
  TT_CONFIG_CMAP_FORMAT_8
  TT_CONFIG_CMAP_FORMAT_10
  TT_CONFIG_CMAP_FORMAT_12
  TT_CONFIG_CMAP_FORMAT_13
  TT_CONFIG_CMAP_FORMAT_14
)
file(READ ${star_config}/ftoption.h star_options)
foreach(option IN LISTS star_dropped_options)
  # A second configure run finds its own work done.
  string(FIND "${star_options}" "/* ${option}: left out for the page */" star_done)
  if(NOT star_done EQUAL -1)
    continue()
  endif()
  set(star_before "${star_options}")
  string(REGEX REPLACE "\n#define[ \t]+${option}([ \t][^\n]*)?\n" "\n/* ${option}: left out for the page */\n"
         star_options "${star_before}")
  # A FreeType that names its options differently must not silently keep what the page leaves out.
  if(star_options STREQUAL star_before)
    message(FATAL_ERROR "freetype.cmake: no '#define ${option}' in ftoption.h")
  endif()
endforeach()
file(WRITE ${star_config}/ftoption.h "${star_options}")

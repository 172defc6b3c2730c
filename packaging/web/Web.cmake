# The browser build (Emscripten): WebGL 1 through the program's own renderer (render/GlCompatWeb.cpp), the page
# shell, and the font inside the program's code. Included from CMakeLists.txt when building with emcmake.

# The page ships the printable-ASCII subset of the font, a thirteenth of the download, as part of the program's code
# (STAR_PAGE_FONT_SOURCE, a source of star-editor): the page's script then needs no file system, a third of it.
include(${CMAKE_CURRENT_LIST_DIR}/SubsetFont.cmake)
set(STAR_PAGE_FONT_SOURCE ${STAR_SUBSET_FONT_ROOT}/PageFont.cpp)
add_custom_command(
  OUTPUT ${STAR_PAGE_FONT_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${STAR_SUBSET_FONT} -DOUTPUT=${STAR_PAGE_FONT_SOURCE}
          -P ${CMAKE_CURRENT_LIST_DIR}/embed-font.cmake
  DEPENDS ${STAR_SUBSET_FONT} ${CMAKE_CURRENT_LIST_DIR}/embed-font.cmake
  COMMENT "Writing the page's font into PageFont.cpp"
  VERBATIM)

# WebGL comes with Emscripten's runtime; FindOpenGL makes no targets here.
add_library(OpenGL::GL INTERFACE IMPORTED)
add_library(OpenGL::GLU INTERFACE IMPORTED)

# The libraries are static here; their configs name those targets *-static.
foreach(library SDL2 SDL2_ttf SDL2_image SDL2_mixer)
  if(NOT TARGET ${library}::${library} AND TARGET ${library}::${library}-static)
    add_library(${library}::${library} ALIAS ${library}::${library}-static)
  endif()
endforeach()

# The suite and the benchmarks need a desktop OpenGL context and child processes.
set(STAR_BUILD_TESTS OFF)
set(STAR_BUILD_BENCHMARKS OFF)

set(STAR_WEB_DIR ${CMAKE_CURRENT_LIST_DIR})

# Built for size, like the libraries (libraries.sh): the page downloads every byte. The last -O given wins. The
# libraries hold LLVM bitcode: the link optimises them together with the program.
add_compile_options(-Oz -flto)
add_link_options(-Oz -flto)

# Link options of every executable from here on, that is of star-editor.
add_link_options(
  -sALLOW_MEMORY_GROWTH=1
  # The start-up hands control back to the browser between its steps (PauseIfLong, YieldToBrowser), and the loop
  # waits for the next animation frame (WaitForAnimationFrame): the functions that can wait are rewritten to unwind
  # and resume.
  # None is reached through a pointer.
  -sASYNCIFY=1
  -sASYNCIFY_IGNORE_INDIRECT=1
  "-sASYNCIFY_IMPORTS=['WaitForAnimationFrame','YieldToBrowser']"
  # The renderer needs WebGL 1 and no extension: none is switched on, and the context is made sooner.
  -sGL_SUPPORT_AUTOMATIC_ENABLE_EXTENSIONS=0
  -sGL_EXTENSIONS_IN_PREFIXED_FORMAT=0
  # Smaller and enough for a program that allocates little (each step below measured, kept where it paid).
  -sMALLOC=emmalloc
  -sTEXTDECODER=2
  # What the page hands the runtime (index.html's Module), nothing else.
  "-sINCOMING_MODULE_JS_API=['canvas','locateFile','print','printErr','onExit','onAbort','onRuntimeInitialized','instantiateWasm']"
  # The program opens no file (its font is compiled in): the diagnostics reach the console without one.
  -sFILESYSTEM=0
  # A failed start-up returns from main; the runtime then exits and the page learns of it (Module.onExit).
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  # Emscripten 3.1.6 crashes in its HTML minifier.
  -sMINIFY_HTML=0
  # SDL2's web audio calls the first two, the program's waits (Asyncify) the last; a file, because the names begin
  # with $.
  "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${STAR_WEB_DIR}/library-functions.json"
  "--shell-file=${STAR_WEB_DIR}/index.html"
)
set(CMAKE_EXECUTABLE_SUFFIX .html)

# Closure Compiler (packaging/web/closure/, set up by scripts/package-web) shrinks the page's script to two fifths.
# Without it the page works the same, with a larger script.
set(STAR_CLOSURE_COMPILER "" CACHE FILEPATH "Closure Compiler for the page's script; empty: whitespace removed only")
if(STAR_CLOSURE_COMPILER)
  add_link_options("SHELL:--closure 1" "--closure-args=--externs=${STAR_WEB_DIR}/closure-externs.js")
  # emcc takes the compiler from its configuration, which this variable overrides.
  set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env EM_CLOSURE_COMPILER=${STAR_CLOSURE_COMPILER}")
endif()

# Files the link reads besides the objects; a change to one of them makes a new page.
set(STAR_WEB_LINK_INPUTS ${STAR_WEB_DIR}/index.html ${STAR_WEB_DIR}/library-functions.json
    ${STAR_WEB_DIR}/closure-externs.js)

# Resources drawn at build time. The pictures of every program (icon-bar buttons, start-up
# and label pictures, program icon) live as readable pixel-art sources (*.pix); the host tool
# bmpgen turns them into 16-colour BMP files, icon files and a resource fragment that the
# program's .rc file includes.
#
# suite_bitmaps(<program> <out-rc-var> [TARGET <target>] [SOURCES <source>...])
#   Draws the resources of <program> into ${CMAKE_BINARY_DIR}/res/<program>/ and writes the
#   fragment ${CMAKE_BINARY_DIR}/res/<program>/bitmaps.rc (one "<name> BITMAP "<path>"" line
#   per bitmap, "ICON_1 ICON "<path>"" for the icon); its path goes into <out-rc-var>.
#   SOURCES defaults to frame/res/buttons.pix and <program>/res/<program>.pix; the glyphs of
#   tools/fonts/glyphs.pix always come first. Defines the target <program>_bitmaps.
#   TARGET: the program's executable; it then depends on the fragment, its .rc sources are
#   recompiled when the pictures change, and `#include "bitmaps.rc"` finds the fragment.
#   In Windows builds bmpgen is taken from SUITE_HOST_TOOLS_DIR (the native build's bin).
function(suite_bitmaps program out_var)
  cmake_parse_arguments(arg "" "TARGET" "SOURCES" ${ARGN})
  if(NOT arg_SOURCES)
    set(arg_SOURCES ${PROJECT_SOURCE_DIR}/frame/res/buttons.pix
                    ${PROJECT_SOURCE_DIR}/${program}/res/${program}.pix)
  endif()
  set(dir ${CMAKE_BINARY_DIR}/res/${program})
  set(rc ${dir}/bitmaps.rc)
  set(sources ${PROJECT_SOURCE_DIR}/tools/fonts/glyphs.pix ${arg_SOURCES})
  if(WIN32)
    set(bmpgen ${SUITE_HOST_TOOLS_DIR}/bmpgen)
    if(NOT EXISTS ${bmpgen})
      message(FATAL_ERROR "${bmpgen} is missing: build the native tree first")
    endif()
  else()
    set(bmpgen $<TARGET_FILE:bmpgen>)
  endif()
  if(NOT TARGET ${program}_bitmaps)
    add_custom_command(OUTPUT ${rc}
      COMMAND ${bmpgen} -o ${dir} -rc ${rc} ${sources}
      DEPENDS ${sources} ${bmpgen}
      COMMENT "Drawing the pictures of ${program}"
      VERBATIM)
    add_custom_target(${program}_bitmaps DEPENDS ${rc})
  endif()
  if(arg_TARGET)
    add_dependencies(${arg_TARGET} ${program}_bitmaps)
    target_include_directories(${arg_TARGET} PRIVATE ${dir})
    get_target_property(target_sources ${arg_TARGET} SOURCES)
    foreach(source IN LISTS target_sources)
      if(source MATCHES "\\.rc$")
        set_property(SOURCE ${source} APPEND PROPERTY OBJECT_DEPENDS ${rc})
      endif()
    endforeach()
  endif()
  set(${out_var} ${rc} PARENT_SCOPE)
endfunction()

# suite_readme(<file>): copies a program's readme beside the programs
# (${CMAKE_BINARY_DIR}/bin) in Windows builds.
function(suite_readme file)
  if(NOT WIN32)
    return()
  endif()
  get_filename_component(name ${file} NAME)
  set(copy ${CMAKE_BINARY_DIR}/bin/${name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy}
    DEPENDS ${file}
    VERBATIM)
  string(MAKE_C_IDENTIFIER "readme_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${copy})
endfunction()

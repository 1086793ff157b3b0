# User manuals rendered at build time from their Markdown sources (the readable source a
# maintainer edits) by tools/render-manual.py with docs/manual.css: Markdown to HTML with
# python-markdown, HTML to PDF with WeasyPrint, Japanese text in the IPAex faces. Help opens
# the PDF from the program's own directory, so Windows builds render it into
# ${CMAKE_BINARY_DIR}/bin beside the programs.
#
# suite_manual(<pdf name> <source.md> LANG <en|ja> [MESSAGES <source.cpp>...])
#   Renders <source.md> (relative to the calling directory) to ${CMAKE_BINARY_DIR}/bin/<pdf
#   name>, again whenever the source, the stylesheet, the renderer or a screenshot in
#   docs/screenshots/ changes. In the 64-bit Windows build it also adds the test
#   manual_<pdf name>, which checks the embedded fonts and the text of the PDF
#   (tests/check-manual.sh). Native builds render nothing; with MESSAGES they add the test
#   manual_messages_<pdf name>: every message table row of those sources is quoted exactly
#   in the manual with its caption (tests/check-manual-messages.py).
#
# The renderer runs with the system Python (/usr/bin/python3; another python3 earlier on PATH
# may lack the modules). SOURCE_DATE_EPOCH, taken from the environment or else from the last
# commit when configuring, makes the PDFs byte-identical between builds.

set(SUITE_MANUAL_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with markdown and weasyprint")

if(WIN32)
  execute_process(
    COMMAND ${SUITE_MANUAL_PYTHON} -c "import markdown, weasyprint"
    RESULT_VARIABLE manual_python_result
    OUTPUT_QUIET ERROR_VARIABLE manual_python_error)
  if(NOT manual_python_result EQUAL 0)
    message(FATAL_ERROR
      "The user manuals need ${SUITE_MANUAL_PYTHON} with the modules markdown and weasyprint "
      "(Debian packages python3-markdown and weasyprint, with fonts-ipaexfont and "
      "fonts-dejavu-core; run tools/setup-machine.sh).\n${manual_python_error}")
  endif()

  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(SUITE_MANUAL_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
  else()
    execute_process(
      COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
      OUTPUT_VARIABLE SUITE_MANUAL_DATE_EPOCH
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE manual_git_result)
    if(NOT manual_git_result EQUAL 0 OR NOT SUITE_MANUAL_DATE_EPOCH MATCHES "^[0-9]+$")
      set(SUITE_MANUAL_DATE_EPOCH 0)
    endif()
  endif()

  if(SUITE_PROGRAM_TESTS)
    find_program(SUITE_PDFFONTS pdffonts)
    find_program(SUITE_PDFTOTEXT pdftotext)
    if(NOT SUITE_PDFFONTS OR NOT SUITE_PDFTOTEXT)
      message(FATAL_ERROR "The manual tests need pdffonts and pdftotext (Debian package "
        "poppler-utils; run tools/setup-machine.sh).")
    endif()
  endif()
endif()

function(suite_manual pdf source)
  cmake_parse_arguments(arg "" "LANG" "MESSAGES" ${ARGN})
  if(NOT arg_LANG MATCHES "^(en|ja)$")
    message(FATAL_ERROR "suite_manual(${pdf}): LANG en or ja is required")
  endif()
  get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  string(MAKE_C_IDENTIFIER "${pdf}" id)
  if(NOT WIN32)
    if(arg_MESSAGES)
      list(TRANSFORM arg_MESSAGES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
      add_test(NAME manual_messages_${id}
        COMMAND ${SUITE_MANUAL_PYTHON} ${PROJECT_SOURCE_DIR}/tests/check-manual-messages.py
                --lang ${arg_LANG} ${source} ${arg_MESSAGES})
    endif()
    return()
  endif()
  set(renderer ${PROJECT_SOURCE_DIR}/tools/render-manual.py)
  set(stylesheet ${PROJECT_SOURCE_DIR}/docs/manual.css)
  file(GLOB screenshots CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
  set(out ${CMAKE_BINARY_DIR}/bin/${pdf})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SUITE_MANUAL_DATE_EPOCH}
            ${SUITE_MANUAL_PYTHON} ${renderer} --lang ${arg_LANG} --css ${stylesheet}
            --out ${out} ${source}
    DEPENDS ${source} ${stylesheet} ${renderer} ${screenshots}
    COMMENT "Rendering the manual ${pdf}"
    VERBATIM)
  add_custom_target(manual_${id} ALL DEPENDS ${out})
  if(SUITE_PROGRAM_TESTS)
    add_test(NAME manual_${id}
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/check-manual.sh ${out})
  endif()
endfunction()

# The suite's version, kept in one place: the file VERSION at the top of the tree
# (major.minor.patch). Every program carries it in a VERSIONINFO resource generated from
# cmake/version.rc.in; tools/make-dist.sh names the release archives after it.
#
# suite_version_resource(<program>)
#   Adds the version resource of <program> (korvan95 -> KORVAN95.EXE) to its executable.

file(STRINGS ${PROJECT_SOURCE_DIR}/VERSION SUITE_VERSION LIMIT_COUNT 1)
string(STRIP "${SUITE_VERSION}" SUITE_VERSION)
if(NOT SUITE_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION must hold major.minor.patch, not '${SUITE_VERSION}'")
endif()
set(SUITE_VERSION_MAJOR ${CMAKE_MATCH_1})
set(SUITE_VERSION_MINOR ${CMAKE_MATCH_2})
set(SUITE_VERSION_PATCH ${CMAKE_MATCH_3})
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/VERSION)

set(SUITE_PRODUCT_NAME "Korvan suite")
set(SUITE_COMPANY_NAME "the Korvan suite developers")
set(SUITE_COPYRIGHT "Copyright (c) 2026 the Korvan suite developers")

function(suite_version_resource program)
  set(descriptions
    "korvan95=Korvan: mean, standard deviations and their confidence intervals"
    "korvan00=Korvan [II]: analysis of data pasted from a spreadsheet"
    "zorpa95=Zorpa: confidence-interval coefficients of the mean and the variance"
    "quibe95=Quibe: coefficient of the unbiased standard deviation")
  set(description "")
  foreach(row IN LISTS descriptions)
    if(row MATCHES "^${program}=(.*)$")
      set(description "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(NOT description)
    message(FATAL_ERROR "suite_version_resource: no description of ${program}")
  endif()
  string(TOUPPER "${program}.EXE" file_name)
  set(rc ${CMAKE_BINARY_DIR}/version/${program}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${program} PRIVATE ${rc})
endfunction()

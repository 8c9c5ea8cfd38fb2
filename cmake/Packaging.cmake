# The Debian package of everything that `cmake --install` installs: `make package`.
# Its dependencies come from the installed binaries (dpkg-shlibdeps), not from a
# hand-written list.
if(NOT PROJECT_VERSION)
  message(FATAL_ERROR "the package takes its version from project(... VERSION ...)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hygrian)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the hygrian developers")
set(CPACK_PACKAGE_CONTACT "hygrian developers <maintainers@hygrian.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "psychrometric properties of moist air")

# One paragraph, naming the programs that are in the tree.
set(programs "the interactive calculator hygrian")
if(EXISTS ${PROJECT_SOURCE_DIR}/batch)
  list(APPEND programs "hygrian-batch (CSV files of measurements into tables of states)")
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/chart)
  list(APPEND programs "hygrian-chart (the psychrometric chart as SVG, with states on it)")
endif()
list(LENGTH programs count)
if(count EQUAL 1)
  set(contents "${programs} with its manual page")
else()
  list(POP_BACK programs last)
  list(JOIN programs ", " contents)
  set(contents "${contents} and ${last}, each with its manual page")
endif()
if(TARGET hygrian_air_shared)
  string(APPEND contents
    ", and the moist-air library, shared and static, with its C++ and C headers")
endif()
set(paragraph
  "hygrian computes the psychrometric properties of moist air in SI units. From a "
  "dry-bulb temperature and one of the wet-bulb temperature, the dew point or the "
  "relative humidity it gives the wet-bulb and dew-point temperatures, relative "
  "humidity, enthalpy, humidity ratio, degree of saturation, specific volume and "
  "vapour pressure. The package holds ${contents}.")
string(CONCAT paragraph ${paragraph})
# Wrapped to 72 columns, as dpkg shows it.
string(REPLACE " " ";" words "${paragraph}")
set(CPACK_PACKAGE_DESCRIPTION "")
set(line "")
foreach(word IN LISTS words)
  string(LENGTH "${line} ${word}" width)
  if(line STREQUAL "")
    set(line "${word}")
  elseif(width GREATER 72)
    string(APPEND CPACK_PACKAGE_DESCRIPTION "${line}\n")
    set(line "${word}")
  else()
    string(APPEND line " ${word}")
  endif()
endforeach()
string(APPEND CPACK_PACKAGE_DESCRIPTION "${line}")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A shlibs file, so that packages built against the library depend on this one.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

include(CPack)

if(HYGRIAN_TESTS)
  # The package is built into a directory of its own, extracted and run.
  find_program(HYGRIAN_DPKG_DEB dpkg-deb)
  if(HYGRIAN_DPKG_DEB)
    set(package_dir ${CMAKE_BINARY_DIR}/package-test)
    add_test(NAME package_build
      COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
              -B ${package_dir})
    set_tests_properties(package_build PROPERTIES FIXTURES_SETUP package)
    add_test(NAME package
      COMMAND ${PROJECT_SOURCE_DIR}/tests/package_test.sh deb ${package_dir} ${PROJECT_VERSION})
    set_tests_properties(package PROPERTIES FIXTURES_REQUIRED package)
  else()
    message(STATUS "dpkg-deb not found: the package test is left out (.ci/install installs it)")
  endif()
  add_test(NAME install_tree
    COMMAND ${PROJECT_SOURCE_DIR}/tests/package_test.sh install ${CMAKE_BINARY_DIR}
            ${PROJECT_VERSION})
endif()

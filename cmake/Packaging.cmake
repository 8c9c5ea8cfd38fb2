# The Debian packages of everything that `cmake --install` installs: `make package`.
# One package per install component:
#   hygrian          the programs and their manual pages (component hygrian)
#   libhygrian1      the shared library (component libhygrian1)
#   libhygrian-dev   headers, static archive, .so link, CMake package, hygrian.pc,
#                    hygrian(3) (component dev)
#   python3-hygrian  the Python module, when the tree builds it (component python)
# Dependencies on system libraries come from the installed binaries
# (dpkg-shlibdeps). The libraries, hygrian.pc and the CMake package reach the
# multiarch directory only in a tree configured with the prefix /usr (the
# `package` preset), where GNUInstallDirs chooses it.
if(NOT PROJECT_VERSION)
  message(FATAL_ERROR "the packages take their version from project(... VERSION ...)")
endif()

set(debian_dir ${PROJECT_SOURCE_DIR}/cmake/debian)

# The changelog is the one place besides project() that names the version: the two
# must agree. The version is native, so Debian expects changelog.gz.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${debian_dir}/changelog)
file(STRINGS ${debian_dir}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^hygrian \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog begins with '${changelog_top}': "
                      "its first entry must be version ${PROJECT_VERSION}")
endif()
find_program(HYGRIAN_GZIP gzip REQUIRED)
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${HYGRIAN_GZIP} -9n -c ${debian_dir}/changelog > ${changelog_gz}
  DEPENDS ${debian_dir}/changelog
  COMMENT "Compressing the Debian changelog"
  VERBATIM)
add_custom_target(hygrian_changelog ALL DEPENDS ${changelog_gz})

# The components, each checked to be known: a file installed without a component
# would fall into none of the packages.
get_cmake_property(components COMPONENTS)
set(CPACK_COMPONENTS_ALL hygrian libhygrian1 dev)
if(python IN_LIST components)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()
foreach(component IN LISTS components)
  if(NOT component IN_LIST CPACK_COMPONENTS_ALL)
    message(FATAL_ERROR "install(... COMPONENT ${component}): no Debian package takes "
                        "that component (cmake/Packaging.cmake)")
  endif()
endforeach()

# Wraps TEXT to 72 columns, as dpkg shows a description, into OUT.
function(hygrian_wrap text out)
  string(REPLACE " " ";" words "${text}")
  set(wrapped "")
  set(line "")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" width)
    if(line STREQUAL "")
      set(line "${word}")
    elseif(width GREATER 72)
      string(APPEND wrapped "${line}\n")
      set(line "${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  set(${out} "${wrapped}${line}" PARENT_SCOPE)
endfunction()

# The paragraph that every package's description begins with.
string(CONCAT shared_paragraph
  "hygrian computes the psychrometric properties of moist air in SI units. From a "
  "dry-bulb temperature and one of the wet-bulb temperature, the dew point or the "
  "relative humidity it gives the wet-bulb and dew-point temperatures, relative "
  "humidity, enthalpy, humidity ratio, degree of saturation, specific volume and "
  "vapour pressure.")
hygrian_wrap("${shared_paragraph}" shared_paragraph)

# Sets the Debian package of COMPONENT: its NAME, SECTION, a SUMMARY and a
# paragraph of its own (the further arguments, joined) after the shared one.
function(hygrian_package component name section summary)
  string(TOUPPER ${component} upper)
  list(JOIN ARGN " " own_paragraph)
  hygrian_wrap("${own_paragraph}" own_paragraph)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${name} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_DESCRIPTION
      "${summary}\n${shared_paragraph}\n\n${own_paragraph}" PARENT_SCOPE)
  # Every package has the copyright file and the changelog in its own directory;
  # the programs' package has them from docs/ and here. They are Debian's files,
  # so a plain `cmake --install` leaves them out.
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${name})
  if(NOT component STREQUAL "hygrian")
    install(FILES ${PROJECT_BINARY_DIR}/docs/copyright DESTINATION ${doc}
      COMPONENT ${component} EXCLUDE_FROM_ALL)
  endif()
  install(FILES ${changelog_gz} DESTINATION ${doc} COMPONENT ${component} EXCLUDE_FROM_ALL)
  if(EXISTS ${debian_dir}/${name}.lintian-overrides)
    install(FILES ${debian_dir}/${name}.lintian-overrides
      DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${name}
      COMPONENT ${component} EXCLUDE_FROM_ALL)
  endif()
endfunction()

set(programs "the interactive calculator hygrian")
# The companion programs need CLI11, which is optional.
if(CLI11_FOUND)
  list(APPEND programs "hygrian-batch (CSV files of measurements into tables of states)"
                       "hygrian-chart (the psychrometric chart as SVG, with states on it)")
endif()
list(LENGTH programs count)
if(count EQUAL 1)
  set(programs "${programs} with its manual page")
else()
  list(POP_BACK programs last)
  list(JOIN programs ", " programs)
  set(programs "${programs} and ${last}, each with its manual page")
endif()
hygrian_package(hygrian hygrian science
  "psychrometric properties of moist air - programs"
  "This package holds ${programs}.")
hygrian_package(libhygrian1 libhygrian1 libs
  "psychrometric properties of moist air - shared library"
  "This package holds the moist-air library libhygrian.so.1, which programs"
  "that use its C++ or C interface load at run time.")
hygrian_package(dev libhygrian-dev libdevel
  "psychrometric properties of moist air - development files"
  "This package holds what a build against the moist-air library needs: the"
  "C++ and C headers, the static archive, the link to the shared library, the"
  "CMake package (find_package(hygrian) with the targets hygrian::hygrian and"
  "hygrian::air_static), the pkg-config file hygrian.pc and the manual page"
  "hygrian(3).")
if(python IN_LIST CPACK_COMPONENTS_ALL)
  hygrian_package(python python3-hygrian python
    "psychrometric properties of moist air - Python 3 module"
    "This package holds the Python 3 module hygrian: the moist-air computations"
    "as NumPy universal functions, which broadcast over whole arrays, and a"
    "function that gives the state as a dict of named arrays.")
  # The extension module is built for this Python and this NumPy ABI.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= 3.11~), python3 (<< 3.12), python3-numpy (>= 1:1.22.0), python3-numpy-abi9")
  # Byte-compiled on installation and cleaned before removal, as Debian's Python
  # packages are, so that removing the package leaves no cache behind.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
    ${debian_dir}/python3-hygrian/postinst
    ${debian_dir}/python3-hygrian/prerm)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hygrian)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the hygrian developers")
set(CPACK_PACKAGE_CONTACT "hygrian developers <maintainers@hygrian.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A shlibs file, so that packages built against the library depend on this version
# of it or a later one.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The static archive needs Highway's library at link time.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libhygrian1 (= ${PROJECT_VERSION}), libhwy-dev")
# dpkg runs ldconfig once for all packages through the trigger. The empty scripts
# stand in for the ldconfig calls CPack would write into postinst and postrm.
set(CPACK_DEBIAN_LIBHYGRIAN1_PACKAGE_CONTROL_EXTRA
  ${debian_dir}/libhygrian1/triggers
  ${debian_dir}/libhygrian1/postinst
  ${debian_dir}/libhygrian1/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

if(HYGRIAN_TESTS)
  # The packages are built into a directory of their own, extracted and run.
  find_program(HYGRIAN_DPKG_DEB dpkg-deb)
  if(HYGRIAN_DPKG_DEB)
    set(package_dir ${CMAKE_BINARY_DIR}/package-test)
    add_test(NAME package_build
      COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
              -B ${package_dir})
    set_tests_properties(package_build PROPERTIES FIXTURES_SETUP package)
    add_test(NAME package
      COMMAND ${PROJECT_SOURCE_DIR}/tests/package_test.sh deb ${package_dir} ${PROJECT_VERSION}
              ${CMAKE_INSTALL_LIBDIR})
    set_tests_properties(package PROPERTIES FIXTURES_REQUIRED package)
  else()
    message(STATUS "dpkg-deb not found: the package test is left out (.ci/install installs it)")
  endif()
  add_test(NAME install_tree
    COMMAND ${PROJECT_SOURCE_DIR}/tests/package_test.sh install ${CMAKE_BINARY_DIR}
            ${PROJECT_VERSION})
endif()

# The WebAssembly build (the `web` preset) sees only emscripten's own system
# root. The header-only libraries it takes from Debian (CLI11, fmt, fast_float:
# the web dependency level) are linked into one folder of the build tree, which
# the target hygrian_web_headers puts on the include path; CLI11::CLI11 names it
# too, as the chart's list expects.
set(web_headers ${PROJECT_BINARY_DIR}/web-headers)
foreach(folder IN ITEMS CLI fmt fast_float)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: tools/install-dependencies web")
  endif()
  file(MAKE_DIRECTORY ${web_headers})
  file(CREATE_LINK /usr/include/${folder} ${web_headers}/${folder} SYMBOLIC)
endforeach()
add_library(hygrian_web_headers INTERFACE)
target_include_directories(hygrian_web_headers SYSTEM INTERFACE ${web_headers})
target_compile_definitions(hygrian_web_headers INTERFACE FMT_HEADER_ONLY)
add_library(CLI11::CLI11 ALIAS hygrian_web_headers)
set(CLI11_FOUND TRUE)

# Fails when a file includes a header of a layer it must not know. Each rule
# names a folder (its subfolders included), the include paths it must not use,
# and the paths among those it may use all the same:
#   air/        the moist-air layer: the bottom, it includes no other layer;
#     calculator/ the calculator's relations: nothing of the handbook model;
#     handbook/   the handbook model: nothing of the calculator's;
#     processes/, measures/, comfort/  on the handbook model through its
#                 headers only;
#   console/    the byte-exact console: neither air/ nor the public headers;
#   app/        the dialogue: air/ and console/;
#   tables/     the table reader: no other layer;
#   cli/        the programs' shared layer: tables/ and the public API, neither
#               program;
#   batch/, chart/  cli/, tables/ and the public API, never each other;
#   web/, js/   the chart, cli/, tables/ and the public API, never the batch
#               program;
#   every surface but the calculator's dialogue (app/) keeps out of air/'s
#               headers: the public API is its door;
#   python/     the public API.
# Run with -DSOURCE_DIR=<project root>.
set(surfaces "console/|app/|tables/|cli/|batch/|chart/|web/|js/|python/")
set(rules
  "air:${surfaces}"
  "air/calculator:air/handbook/|air/processes/|air/measures/|air/comfort/"
  "air/handbook:air/calculator/|air/processes/|air/measures/|air/comfort/"
  "air/processes:air/calculator/|air/measures/|air/handbook/:air/handbook/relations\\.h"
  "air/measures:air/calculator/|air/processes/|air/handbook/:air/handbook/(relations|dew_point|one_lane)\\.h"
  "air/comfort:air/calculator/|air/processes/|air/handbook/"
  "console:air/|app/|hygrian/"
  "app:tables/|cli/|batch/|chart/|web/|js/|python/"
  "tables:air/|console/|app/|cli/|batch/|chart/|hygrian/"
  "cli:air/|console/|app/|batch/|chart/"
  "batch:air/|console/|app/|chart/"
  "chart:air/|console/|app/|batch/"
  "web:air/|console/|app/|batch/"
  "js:air/|console/|app/|batch/"
  "python:air/|console/|app/|tables/|cli/|batch/|chart/")
set(violations "")
foreach(rule IN LISTS rules)
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 layer)
  list(GET parts 1 forbidden)
  set(allowed "")
  list(LENGTH parts count)
  if(count GREATER 2)
    list(GET parts 2 allowed)
  endif()
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^#include \"(${forbidden})")
    foreach(line IN LISTS lines)
      if(allowed AND line MATCHES "^#include \"(${allowed})\"")
        continue()
      endif()
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      string(APPEND violations "  ${name}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "layer violations:\n${violations}")
endif()

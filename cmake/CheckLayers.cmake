# Fails when a layer includes a header of a layer it must not know: the moist-air
# layer (air/) and the console layer (console/) are independent of each other and
# of the dialogue (app/); the table reader (tables/) knows none of the others; the
# programs' shared layer (cli/) uses air and tables and knows neither program; the
# batch program (batch/) and the chart (chart/) use cli, air and tables, never each
# other, the console or the dialogue; the browser page (web/) uses the chart, never
# the batch program, the console or the dialogue; the npm package (js/) uses the chart
# and the page's in-memory platform, never the batch program, the console or the
# dialogue. Run with -DSOURCE_DIR=<project root>.
set(rules
  "air:console/|app/"
  "console:air/|app/|hygrian/"
  "tables:air/|console/|app/|cli/|batch/|chart/"
  "cli:air/|console/|app/|batch/|chart/"
  "batch:air/|console/|app/|chart/"
  "chart:console/|app/|batch/"
  "web:console/|app/|batch/"
  "js:console/|app/|batch/")
set(violations "")
foreach(rule IN LISTS rules)
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 layer)
  list(GET parts 1 forbidden)
  file(GLOB sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^#include \"(${forbidden})")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      string(APPEND violations "  ${name}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "layer violations:\n${violations}")
endif()

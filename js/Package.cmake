# Puts the npm package together beside the built module and packs it (the
# target hygrian_npm_package runs it):
#
#   cmake -DSOURCE_DIR=<project root> -DGENERATED=<tables and types>
#         -DMODULE=<the linked hygrian.js and hygrian.wasm> -DPACKAGE=<the package's folder>
#         -DVERSION=<project version> -DNPM=<npm> -DOUTPUT=<tarball's folder>
#         -P js/Package.cmake
#
# package.json is js/package.json with the project's version in place of
# "private", README.md js/README.md with it for @VERSION@; the types are index.d.ts as hygrian.d.ts (the ES module's), which
# hygrian.d.cts (the CommonJS entry's) exports again.
file(READ ${SOURCE_DIR}/js/package.json manifest)
string(REPLACE "\"private\": true," "\"version\": \"${VERSION}\"," package_json "${manifest}")
if(package_json STREQUAL manifest)
  message(FATAL_ERROR "js/package.json has no \"private\": true, line for the version")
endif()
file(WRITE ${PACKAGE}/package.json "${package_json}")
file(COPY ${SOURCE_DIR}/js/hygrian.cjs ${SOURCE_DIR}/LICENSE ${GENERATED}/tables.json
     DESTINATION ${PACKAGE})
configure_file(${MODULE}/hygrian.js ${PACKAGE}/hygrian.mjs COPYONLY)
configure_file(${MODULE}/hygrian.wasm ${PACKAGE}/hygrian.wasm COPYONLY)
configure_file(${SOURCE_DIR}/js/README.md ${PACKAGE}/README.md @ONLY)
configure_file(${GENERATED}/index.d.ts ${PACKAGE}/hygrian.d.ts COPYONLY)
file(WRITE ${PACKAGE}/hygrian.d.cts "export * from './hygrian.js';\n")
file(REMOVE ${OUTPUT}/hygrian-${VERSION}.tgz)
execute_process(COMMAND ${NPM} pack --silent --pack-destination ${OUTPUT} ${PACKAGE}
  RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed OR NOT EXISTS ${OUTPUT}/hygrian-${VERSION}.tgz)
  message(FATAL_ERROR "npm pack failed in ${PACKAGE}")
endif()

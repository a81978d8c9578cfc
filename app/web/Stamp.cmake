# Writes the service worker with the version of this build: a digest of
# every file the page is made of, so any change is a new version.
#   cmake -DDIR=<build-web/web> -DIN=<sw.js.in> -P Stamp.cmake
file(GLOB files RELATIVE ${DIR} ${DIR}/*.html ${DIR}/*.js ${DIR}/*.wasm ${DIR}/*.pack ${DIR}/*.png ${DIR}/*.webmanifest)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(all "")
foreach(f IN LISTS files)
  file(SHA256 ${DIR}/${f} h)
  string(APPEND all "${f}:${h}\n")
endforeach()
string(SHA256 digest "${all}")
string(SUBSTRING ${digest} 0 16 version)
set(QUORVEX_WEB_VERSION ${version})
configure_file(${IN} ${DIR}/sw.js @ONLY)

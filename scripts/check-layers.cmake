# Fails the build when a widget reaches past the models into the settings
# file's layer:  cmake -DDIR=src/ui -DSTAMP=file -P check-layers.cmake
file(GLOB_RECURSE sources "${DIR}/*.cpp" "${DIR}/*.h")
set(found "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]settings/")
  foreach(hit IN LISTS hits)
    string(APPEND found "\n  ${source}: ${hit}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Widgets speak to the models in src/app, not to src/settings:${found}")
endif()
file(TOUCH "${STAMP}")

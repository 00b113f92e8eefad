# Fails when the plug-in module's own bytes (debug sections left out) contain the path of
# the source tree, which would mean a build-machine path is shipped, e.g. through __FILE__.
# -DMODULE=<module> -DSOURCE_DIR=<tree> -DOBJCOPY=<objcopy> -DSTRIPPED=<scratch file>
execute_process(COMMAND "${OBJCOPY}" --strip-debug "${MODULE}" "${STRIPPED}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objcopy could not read ${MODULE}")
endif()
file(STRINGS "${STRIPPED}" texts)
file(REMOVE "${STRIPPED}")
foreach(text IN LISTS texts)
  string(FIND "${text}" "${SOURCE_DIR}/" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${MODULE} holds the build path: ${text}")
  endif()
endforeach()

# Builds RemoveMolvane.exe a second time, from the same sources with the same
# toolchain but in another build directory, and fails unless the result has
# exactly the bytes of the first build (FIRST). A difference means a time
# stamp, a build path or other build-specific data reached the .exe.
#   cmake -DSOURCE=... -DBUILD=... -DTOOLCHAIN=... -DBUILD_TYPE=... -DFIRST=... -P ReproducibleBuild.cmake
file(REMOVE_RECURSE "${BUILD}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S "${SOURCE}" -B "${BUILD}" "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}"
          "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}"
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "configuring the second build in ${BUILD} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${BUILD}" --target RemoveMolvane -j2
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the second build in ${BUILD} failed")
endif()

set(SECOND "${BUILD}/bin/RemoveMolvane.exe")
file(SHA256 "${FIRST}" first_hash)
file(SHA256 "${SECOND}" second_hash)
if(NOT first_hash STREQUAL second_hash)
  message(FATAL_ERROR "two builds of the same sources differ:\n  ${FIRST}\n    ${first_hash}\n"
                      "  ${SECOND}\n    ${second_hash}\nCompare them with: cmp -l FIRST SECOND | head")
endif()
message(STATUS "RemoveMolvane.exe built twice, byte-identical: ${first_hash}")
file(REMOVE_RECURSE "${BUILD}")

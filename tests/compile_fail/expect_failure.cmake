# Builds one misuse target and passes when the compiler rejects it with the expected message.
#   cmake -DBUILD_DIR=<dir> -DTARGET=<target> -DEXPECT=<regex> -P expect_failure.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "${TARGET} compiled, but it must not")
endif()
if(NOT output MATCHES "${EXPECT}")
  message(FATAL_ERROR "${TARGET} failed to compile, but not for the expected reason (${EXPECT}):\n${output}")
endif()
message(STATUS "${TARGET} rejected as expected")

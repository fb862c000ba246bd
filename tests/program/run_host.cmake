# Runs the host on SCRIPT in a folder of its own, WORK: the files MODULES (only these) in
# WORK/modules; with PROGRAM_FILES, the host itself is copied into WORK/program beside them
# and run from there. The host runs under EMULATOR (if any) with WORK/modules as its
# current folder. The test fails unless the exit status is EXIT and, when STDERR is given,
# stderr is one line that matches that regular expression as a whole; FORBID is a regular
# expression that stderr must not match anywhere (Wine's report of a missing DLL, for one).
# MODULES and PROGRAM_FILES are separated by commas.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" MODULES "${MODULES}")
string(REPLACE "," ";" PROGRAM_FILES "${PROGRAM_FILES}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/modules)
file(COPY ${MODULES} DESTINATION ${WORK}/modules)
set(program ${HOST})
if(PROGRAM_FILES)
  file(MAKE_DIRECTORY ${WORK}/program)
  file(COPY ${HOST} ${PROGRAM_FILES} DESTINATION ${WORK}/program)
  get_filename_component(name ${HOST} NAME)
  set(program ${WORK}/program/${name})
endif()
execute_process(COMMAND ${EMULATOR} ${program} run ${SCRIPT} --modules ${WORK}/modules
                WORKING_DIRECTORY ${WORK}/modules
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
set(seen "exit status ${rc}\n--- stdout\n${out}--- stderr\n${err}---")
if(NOT rc STREQUAL EXIT)
  message(FATAL_ERROR "expected exit status ${EXIT}; ${seen}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "^${STDERR}\n$")
  message(FATAL_ERROR "stderr is not the one line /${STDERR}/; ${seen}")
endif()
if(DEFINED FORBID AND err MATCHES "${FORBID}")
  message(FATAL_ERROR "stderr holds /${FORBID}/; ${seen}")
endif()
message(STATUS "${seen}")

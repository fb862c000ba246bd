# Runs one fuzz target for a bounded time: the working corpus in the build tree comes first
# (what the run finds lands there), then the seed directories, read only. A crash, a sanitizer
# report or a broken promise fails the test and leaves the input in <work>/artifacts/.
#   -DFUZZER=<exe> -DWORK=<dir> -DSECONDS=<n> [-DSEEDS=a|b] [-DARGS=x|y] [-DMODULE_SEEDS=<dir> -DSEED_MAKER=<exe>]
string(REPLACE "|" ";" seeds "${SEEDS}")
set(present_seeds)
foreach(dir IN LISTS seeds)  # a seed directory from another build may not be there
  if(IS_DIRECTORY ${dir})
    list(APPEND present_seeds ${dir})
  endif()
endforeach()
set(seeds ${present_seeds})
string(REPLACE "|" ";" args "${ARGS}")
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)

if(MODULE_SEEDS)
  file(MAKE_DIRECTORY ${WORK}/seeds)
  file(GLOB modules ${MODULE_SEEDS}/*.gau ${MODULE_SEEDS}/*.so)
  foreach(module IN LISTS modules)
    get_filename_component(name ${module} NAME)
    if(NOT EXISTS ${WORK}/seeds/${name})
      execute_process(COMMAND ${SEED_MAKER} ${module} ${WORK}/seeds/${name} RESULT_VARIABLE rc)
      if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cannot cut ${module} down to a seed")
      endif()
    endif()
  endforeach()
  list(APPEND seeds ${WORK}/seeds)
endif()

execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 -timeout=20
                        -artifact_prefix=${WORK}/artifacts/ ${args} ${WORK}/corpus ${seeds}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${rc}); the input is in ${WORK}/artifacts/")
endif()

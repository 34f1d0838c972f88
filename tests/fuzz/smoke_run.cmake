# The fuzzer's smoke run: fresh seeds in a scratch folder, a fixed number of
# executions with a fixed random seed, and a time cap in case a run hangs.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
if(SEEDS)
  execute_process(COMMAND ${SEEDS} ${WORK}/corpus COMMAND_ERROR_IS_FATAL ANY)
else()
  # Files as seeds: a leading 0 reads each as its bytes.
  file(GLOB_RECURSE seeds ${SEED_DIRS}/*.reg)
  foreach(seed ${seeds})
    get_filename_component(name ${seed} NAME)
    file(READ ${seed} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\x\\1" escaped "00${hex}")
    file(WRITE ${WORK}/corpus/${name} "")
    execute_process(COMMAND printf "${escaped}" OUTPUT_FILE ${WORK}/corpus/${name})
  endforeach()
endif()
execute_process(COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=16384 -max_total_time=50
                        -artifact_prefix=${WORK}/findings/ ${WORK}/corpus
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzzer stopped with ${result}; inputs in ${WORK}/findings")
endif()

# The fuzzer's smoke run: fresh seeds in a scratch folder, a fixed number of
# executions with a fixed random seed, and a time cap in case a run hangs.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
if(SEEDS)
  execute_process(COMMAND ${SEEDS} ${WORK}/corpus COMMAND_ERROR_IS_FATAL ANY)
else()
  # Files as seeds (registry files unless SEED_PATTERN says otherwise): a
  # leading 0 byte goes before each file's bytes.
  if(NOT SEED_PATTERN)
    set(SEED_PATTERN *.reg)
  endif()
  file(GLOB_RECURSE seeds ${SEED_DIRS}/${SEED_PATTERN})
  foreach(seed ${seeds})
    get_filename_component(name ${seed} NAME)
    execute_process(COMMAND sh -c "{ printf '\\000'; cat \"$1\"; } > \"$2\"" sh ${seed} ${WORK}/corpus/${name}
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
execute_process(COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=16384 -max_total_time=50
                        -artifact_prefix=${WORK}/findings/ ${WORK}/corpus
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzzer stopped with ${result}; inputs in ${WORK}/findings")
endif()

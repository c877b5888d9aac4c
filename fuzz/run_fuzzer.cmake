# Runs one libFuzzer target for SECONDS on a fresh copy of SEEDS in WORK_DIR; fails on any
# finding. Usage: cmake -DFUZZER=... -DSEEDS=... -DWORK_DIR=... -DSECONDS=... -P run_fuzzer.cmake
foreach(variable FUZZER SEEDS WORK_DIR SECONDS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "run_fuzzer.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/corpus")
file(GLOB seeds "${SEEDS}/*")
file(COPY ${seeds} DESTINATION "${WORK_DIR}/corpus")

# The seeds run first, then fuzzing until the time is up. A finding stops the run at once with a
# non-zero status.
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=25 -print_final_stats=1
    -artifact_prefix=${WORK_DIR}/ "${WORK_DIR}/corpus"
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE status)
file(GLOB findings "${WORK_DIR}/crash-*" "${WORK_DIR}/leak-*" "${WORK_DIR}/timeout-*"
  "${WORK_DIR}/oom-*")
if(NOT status EQUAL 0 OR findings)
  message(FATAL_ERROR "The fuzzer found a fault (status ${status}): ${findings}\n"
    "Reproduce with: ${FUZZER} <file>")
endif()

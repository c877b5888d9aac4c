# SPDX-License-Identifier: GPL-3.0-or-later
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

# First every seed in full (some hold texts of 40,000 digits), then fuzzing until the time is up
# with inputs of at most 4 KB, which keeps the executions many. A finding stops either run at once
# with a non-zero status and leaves the input beside the corpus.
execute_process(
  COMMAND "${FUZZER}" -runs=0 -artifact_prefix=${WORK_DIR}/ "${WORK_DIR}/corpus"
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE status)
if(status EQUAL 0)
  execute_process(
    COMMAND "${FUZZER}" -max_total_time=${SECONDS} -max_len=4096 -timeout=25
      -print_final_stats=1 -artifact_prefix=${WORK_DIR}/ "${WORK_DIR}/corpus"
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status)
endif()
file(GLOB findings "${WORK_DIR}/crash-*" "${WORK_DIR}/leak-*" "${WORK_DIR}/timeout-*"
  "${WORK_DIR}/oom-*" "${WORK_DIR}/slow-unit-*")
if(NOT status EQUAL 0 OR findings)
  message(FATAL_ERROR "The fuzzer found a fault (status ${status}): ${findings}\n"
    "Reproduce with: ${FUZZER} <file>")
endif()

# One fault of the checked build's canary (checked/canary_win32.cpp), run
# as every test of that build runs: through the emulator, under Wine's heap
# checking (T482_WINE_CHECK).
#   cmake -DEMULATOR=<wine-run.sh> -DCANARY=<checked_canary.exe> -DMODE=<mode>
#         -DEXPECTED=<regular expression> -P checked_canary.cmake
# The canary is meant to be stopped, so the run passes only when it ends
# non-zero, its output matches EXPECTED (the report of the net that must
# catch this fault), and the emulator took the output for a fault. A fault
# that goes unnoticed ends the canary with exit 0.
cmake_minimum_required(VERSION 3.25)

foreach(var EMULATOR CANARY MODE EXPECTED)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "checked_canary.cmake needs -D${var}=...")
  endif()
endforeach()

execute_process(COMMAND ${EMULATOR} ${CANARY} ${MODE}
                OUTPUT_VARIABLE out
                ERROR_VARIABLE out
                RESULT_VARIABLE rc
                TIMEOUT 120)
message("${out}")

set(wrong "")
if(NOT rc MATCHES "^[0-9]+$")
  string(APPEND wrong " did not end normally (${rc});")
elseif(rc EQUAL 0)
  string(APPEND wrong " ended with exit 0;")
endif()
if(NOT out MATCHES "${EXPECTED}")
  string(APPEND wrong " did not say '${EXPECTED}';")
endif()
if(NOT out MATCHES "wine-run: [^\n]* faulted")
  string(APPEND wrong " was not taken for a fault by the emulator;")
endif()
if(wrong)
  message(FATAL_ERROR "the fault '${MODE}' went through: the canary${wrong}")
endif()

# One whole run against its golden folder:
#   cmake -DBATCH=<t482-batch> -DCASE_DIR=<tests/runs/case> -DWORK_DIR=<scratch>
#         [-DEMULATOR=<program>] [-DWINDOWS_PATHS=1] [-DUPDATE=1]
#         -P run_golden.cmake
# Copies CASE_DIR/in/ into a fresh WORK_DIR, runs the batch runner on it and
# compares, byte for byte, its stdout line with expected/stdout.txt and the
# folder with the other files of expected/: the same file names, the same
# bytes. With UPDATE=1 it writes what it got into expected/ instead (review
# every byte before committing it).
cmake_minimum_required(VERSION 3.25)

foreach(var BATCH CASE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_golden.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(GLOB inputs LIST_DIRECTORIES false "${CASE_DIR}/in/*")
file(COPY ${inputs} DESTINATION "${WORK_DIR}")

set(folder_arg "${WORK_DIR}")
if(WINDOWS_PATHS)
  # Wine maps the Unix root to drive Z:.
  string(REPLACE "/" "\\" folder_arg "Z:${WORK_DIR}")
endif()

set(command "${BATCH}" "${folder_arg}")
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command}
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err
                RESULT_VARIABLE rc
                TIMEOUT 120)

# The exit code that belongs to the printed line.
if(out MATCHES "^drawn\n$")
  set(expected_rc 0)
else()
  set(expected_rc 1)
endif()
if(NOT rc STREQUAL expected_rc)
  message(FATAL_ERROR "exit code ${rc} (expected ${expected_rc}) for "
                      "output '${out}', stderr '${err}'")
endif()

file(GLOB produced LIST_DIRECTORIES false RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
list(SORT produced)

if(UPDATE)
  file(REMOVE_RECURSE "${CASE_DIR}/expected")
  file(MAKE_DIRECTORY "${CASE_DIR}/expected")
  file(WRITE "${CASE_DIR}/expected/stdout.txt" "${out}")
  foreach(name IN LISTS produced)
    file(COPY "${WORK_DIR}/${name}" DESTINATION "${CASE_DIR}/expected")
  endforeach()
  message(STATUS "updated ${CASE_DIR}/expected: ${out}")
  return()
endif()

file(READ "${CASE_DIR}/expected/stdout.txt" expected_out)
if(NOT out STREQUAL expected_out)
  message(FATAL_ERROR "stdout\n  got:      '${out}'\n  expected: '${expected_out}'")
endif()

file(GLOB expected_files LIST_DIRECTORIES false RELATIVE "${CASE_DIR}/expected"
     "${CASE_DIR}/expected/*")
list(REMOVE_ITEM expected_files "stdout.txt")
list(SORT expected_files)
if(NOT produced STREQUAL expected_files)
  message(FATAL_ERROR "files in the folder: '${produced}', expected '${expected_files}'")
endif()

set(failures "")
foreach(name IN LISTS expected_files)
  file(READ "${WORK_DIR}/${name}" got_hex HEX)
  file(READ "${CASE_DIR}/expected/${name}" want_hex HEX)
  if(NOT got_hex STREQUAL want_hex)
    file(READ "${WORK_DIR}/${name}" got_text)
    string(APPEND failures "\n${name} differs; got:\n${got_text}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()

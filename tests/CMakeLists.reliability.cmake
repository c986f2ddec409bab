# Native reliability checks through t482-batch: real file systems that fail
# (a full tmpfs, a read-only mount, files replaced by folders; the mount
# cases are skipped without root) and the worst inputs with their time and
# peak memory. In a sanitizer build the limits of time and memory are
# widened, since the sanitizers cost both. In the Windows build: runs under
# Wine while another program holds the files open; in the checked Windows
# build the worst inputs too, under Wine's heap checking.
find_program(T482_BASH bash)
if(NOT T482_BASH)
  return()
endif()

if(CMAKE_CROSSCOMPILING)
  if(WIN32)
    add_executable(hold_files reliability/hold_files_win32.cpp)
    add_test(NAME reliability.held_files
             COMMAND ${T482_BASH}
                     ${CMAKE_CURRENT_SOURCE_DIR}/reliability/held_files.sh
                     $<TARGET_FILE:t482-batch> $<TARGET_FILE:hold_files>
                     ${PROJECT_SOURCE_DIR})
    set_tests_properties(reliability.held_files PROPERTIES
                         TIMEOUT 180 LABELS reliability)
  endif()
  if(T482_CHECKED)
    add_test(NAME reliability.hostile_batch
             COMMAND ${T482_BASH}
                     ${CMAKE_CURRENT_SOURCE_DIR}/reliability/hostile_batch.sh
                     $<TARGET_FILE:t482-batch> ${PROJECT_SOURCE_DIR} 3
                     ${CMAKE_CROSSCOMPILING_EMULATOR})
    # Its limits are widened under Wine's checks: it runs beside the others.
    set_tests_properties(reliability.hostile_batch PROPERTIES
                         TIMEOUT 600 LABELS reliability)
  endif()
  return()
endif()

add_test(NAME reliability.real_fs_faults
         COMMAND ${T482_BASH}
                 ${CMAKE_CURRENT_SOURCE_DIR}/reliability/real_fs_faults.sh
                 $<TARGET_FILE:t482-batch> ${PROJECT_SOURCE_DIR})
set_tests_properties(reliability.real_fs_faults PROPERTIES
                     SKIP_RETURN_CODE 77 TIMEOUT 120 LABELS reliability)

if(T482_SANITIZE)
  set(t482_limit_factor 6)
else()
  set(t482_limit_factor 1)
endif()
add_test(NAME reliability.hostile_batch
         COMMAND ${T482_BASH}
                 ${CMAKE_CURRENT_SOURCE_DIR}/reliability/hostile_batch.sh
                 $<TARGET_FILE:t482-batch> ${PROJECT_SOURCE_DIR}
                 ${t482_limit_factor})
# Alone, where its limits of time and memory are the real ones; beside the
# other tests where they are widened.
set_tests_properties(reliability.hostile_batch PROPERTIES
                     TIMEOUT 600 LABELS reliability)
if(t482_limit_factor EQUAL 1)
  set_tests_properties(reliability.hostile_batch PROPERTIES RUN_SERIAL TRUE)
endif()

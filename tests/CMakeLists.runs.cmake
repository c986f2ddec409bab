# Whole runs of t482-batch against the golden folders tests/runs/<case>/.
# Natively the program runs directly; in the Windows build it runs under the
# toolchain's emulator (wine), with the scratch folder given as a Z: path.
# A case is a folder with expected results.
file(GLOB t482_run_expected LIST_DIRECTORIES true
     ${CMAKE_CURRENT_SOURCE_DIR}/runs/*/expected)
foreach(expected IN LISTS t482_run_expected)
  get_filename_component(case_dir ${expected} DIRECTORY)
  get_filename_component(case ${case_dir} NAME)
  set(args -DBATCH=$<TARGET_FILE:t482-batch> -DCASE_DIR=${case_dir}
           -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/runs/${case})
  if(CMAKE_CROSSCOMPILING)
    list(APPEND args "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
         -DWINDOWS_PATHS=1)
  endif()
  add_test(NAME run.${case}
           COMMAND ${CMAKE_COMMAND} ${args}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/run_golden.cmake)
  set_tests_properties(run.${case} PROPERTIES TIMEOUT 180 LABELS runs)
endforeach()

# Fails when a source of support/, interchange/ or tool/ calls the C
# library's cosine or sine (cos, sin, cosl, sinl, sincos, sincosl, with or
# without std::): those layers take X87Cos and X87Sin, so that the Windows
# program and the native build compute the same digits.
#   cmake -DSOURCE_DIR=<repository> -P no_library_trig.cmake
cmake_minimum_required(VERSION 3.25)
set(found "")
foreach(layer support interchange tool)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.cpp"
       "${SOURCE_DIR}/${layer}/*.h")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "(^|[^A-Za-z0-9_])(cos|sin|cosl|sinl|sincos|sincosl|cosf|sinf|sincosf)[ \t]*\\(")
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
        string(APPEND found "\n${name}:${number}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "the C library's cos/sin called (use X87Cos, X87Sin):"
                      "${found}")
endif()

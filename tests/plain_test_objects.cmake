# Stops the checked build when the plain build's list of test objects is no
# longer the one the checked build was configured with (a test file was
# added or removed since): its test programs would miss new tests or link
# objects of deleted ones.
#   cmake -DCONFIGURED=<copy taken when configuring> -DCURRENT=<the list>
#         -P plain_test_objects.cmake
cmake_minimum_required(VERSION 3.25)

file(READ "${CONFIGURED}" configured)
file(READ "${CURRENT}" current)
if(NOT configured STREQUAL current)
  message(FATAL_ERROR "${CURRENT} changed after this build was configured "
                      "(a test file was added or removed): build again, "
                      "the build then configures anew")
endif()

# A subsystem is one static library made of every source file in its folder, so that adding a
# file never needs a build-file edit.
function(velmar_library name)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

# Test code is built once and run once: compiling it without optimisation saves about a third of
# its build. The code under test (the libraries, the simulator) keeps the build's own flags.
function(velmar_unoptimised_test_code target)
  target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O0>)
endfunction()

# Programs run by hand (benchmarks, the start-up yardstick, the screenshot tool): the sanitizer
# build runs only the tests, so it does not build them.
function(velmar_hand_run_program target)
  if(VELMAR_SANITIZE)
    set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endfunction()

# The tests of one subsystem: every *_test.cpp in the folder becomes part of one test binary,
# each GoogleTest suite a CTest test labelled with the subsystem. PROPERTIES adds test properties
# (for example the preload of the simulated devices). CASE_PROCESSES names the suites whose cases
# each need a process of their own (ALL: every suite). ONE_PROCESS runs the whole binary as one
# CTest test.
function(velmar_test_folder label)
  cmake_parse_arguments(A "ONE_PROCESS" "" "LIBS;SOURCES;PROPERTIES;SEPARATE;CASE_PROCESSES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT srcs)
    return()
  endif()
  set(exe ${label}_tests)
  add_executable(${exe} ${srcs} ${A_SOURCES})
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Every test file includes GoogleTest (and most of them Qt): compile those headers once per
  # binary, which halves the build of the test folders.
  target_precompile_headers(${exe} PRIVATE <gtest/gtest.h> <gmock/gmock.h> <string> <vector> <map> <memory>
                            <optional> <functional>)
  get_target_property(qt_used ${exe} LINK_LIBRARIES)
  if("${qt_used}" MATCHES "velmar_app|velmar_recognition")
    target_precompile_headers(${exe} PRIVATE <QApplication> <QWidget> <QLabel> <QPushButton> <QTimer>)
  endif()
  target_compile_definitions(${exe} PRIVATE VELMAR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Test files share heavy headers (GoogleTest, Qt): compiling a few of them as one unit roughly
  # halves the test build, which dominates the whole build.
  # SEPARATE names the files whose local names clash with another file's; they compile alone.
  set_target_properties(${exe} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 6)
  # GCC takes an included test file for a header and warns that its fixtures in an anonymous
  # namespace give the test classes internal linkage, which is what a test file wants.
  target_compile_options(${exe} PRIVATE -Wno-subobject-linkage)
  velmar_unoptimised_test_code(${exe})
  foreach(f IN LISTS A_SEPARATE)
    set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/${f} TARGET_DIRECTORY ${exe} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  endforeach()
  if(A_ONE_PROCESS)
    # Plain code without a simulator or a window needs no process of its own per case: starting
    # hundreds of processes would cost more than the cases themselves.
    add_test(NAME ${exe} COMMAND ${exe})
    set_tests_properties(${exe} PROPERTIES LABELS ${label} ${A_PROPERTIES})
  else()
    velmar_suite_tests(${exe} ${label} CASES ${A_CASE_PROCESSES}
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${A_PROPERTIES})
  endif()
endfunction()

# CTest tests for a GoogleTest binary, one per suite (or per case for the suites in CASES, ALL
# for all), listed from the binary each time it is linked. Until it is built, a placeholder test
# fails, as a missing binary should.
function(velmar_suite_tests exe label)
  cmake_parse_arguments(A "" "" "CASES;PROPERTIES" ${ARGN})
  set(suites_file ${CMAKE_CURRENT_BINARY_DIR}/${exe}_suites.cmake)
  add_custom_command(TARGET ${exe} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${exe}> -DOUT=${suites_file}
                             "-DCASES=${A_CASES}" -P ${PROJECT_SOURCE_DIR}/cmake/SuiteTests.cmake
                     VERBATIM)
  set(props "LABELS [==[${label}]==]")
  list(LENGTH A_PROPERTIES n)
  if(n GREATER 0)
    math(EXPR last "${n} - 1")
    foreach(i RANGE 0 ${last} 2)
      math(EXPR j "${i} + 1")
      list(GET A_PROPERTIES ${i} key)
      list(GET A_PROPERTIES ${j} value)
      string(APPEND props " ${key} [==[${value}]==]")
    endforeach()
  endif()
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${exe}_include.cmake)
  file(WRITE ${include_file} "if(EXISTS [==[${suites_file}]==])
  include([==[${suites_file}]==])
  if(velmar_suite_tests)
    set_tests_properties(\${velmar_suite_tests} PROPERTIES ${props})
  endif()
else()
  add_test(${exe}_NOT_BUILT ${exe}_NOT_BUILT)
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()

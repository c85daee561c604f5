# Shared build rules of the project.

# Adds every direct subfolder of DIR that has a CMakeLists.txt, in name order.
function(dv_add_subdirectories dir)
  file(GLOB children RELATIVE ${CMAKE_SOURCE_DIR}/${dir} CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/${child}/CMakeLists.txt)
      add_subdirectory(${dir}/${child})
    endif()
  endforeach()
endfunction()

# Tests run natively, and under Wine in both Windows builds (Wine's 64-bit
# loader hands 32-bit programs to its 32-bit half).
set(DV_RUN_TESTS OFF)
if(NOT DV_WINDOWS OR CMAKE_CROSSCOMPILING_EMULATOR)
  set(DV_RUN_TESTS ON)
endif()

# Configuring installs nothing: a missing package stops it with the command
# that installs it (scripts/setup installs them all).
macro(dv_setup_googletest)
  if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources (/usr/src/googletest) are missing. Install them with:\n"
                        "  apt-get install googletest\n(scripts/setup does).")
  endif()
  set(gtest_disable_pthreads ${DV_WINDOWS} CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()

macro(dv_setup_flags)
  add_compile_options(-Wall -Wextra -Werror)
  if(DV_WINDOWS)
    add_compile_definitions(UNICODE _UNICODE NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601)
    add_link_options(-static -static-libgcc -static-libstdc++)
  else()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endmacro()

# dv_library(NAME [SOURCES ...] [SOURCES_OF LIBRARY ...] [INCLUDE_ROOT DIR]
#            [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
# A static library of one folder. Its headers are included by their path
# under INCLUDE_ROOT (src/ unless given, so "gui/Stream.h"), which is its
# PUBLIC include directory: no folder gets it from the project as a whole.
# A library names the libraries whose headers it includes, in PUBLIC_DEPS
# when its own headers include them, in PRIVATE_DEPS when only its sources
# do, so that it builds and links from its own dependencies alone. Without
# sources it is a header-only interface library.
# SOURCES_OF compiles the sources of other libraries once more, under this
# folder's options: the benchmarks measure the code optimised and without
# sanitizers, the fuzz targets need it instrumented. The file lists stay
# with those libraries; the copy shares their include roots and names its
# dependencies itself.
function(dv_library name)
  cmake_parse_arguments(L "" "INCLUDE_ROOT" "SOURCES;SOURCES_OF;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  if(NOT L_INCLUDE_ROOT)
    set(L_INCLUDE_ROOT ${CMAKE_SOURCE_DIR}/src)
  endif()
  set(sources ${L_SOURCES})
  set(roots ${L_INCLUDE_ROOT})
  foreach(library ${L_SOURCES_OF})
    get_target_property(library_sources ${library} SOURCES)
    get_target_property(library_dir ${library} SOURCE_DIR)
    get_target_property(library_roots ${library} INTERFACE_INCLUDE_DIRECTORIES)
    list(APPEND roots ${library_roots})
    foreach(source ${library_sources})
      if(NOT IS_ABSOLUTE ${source})
        set(source ${library_dir}/${source})
      endif()
      list(APPEND sources ${source})
    endforeach()
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    list(REMOVE_DUPLICATES roots)
    target_include_directories(${name} PUBLIC ${roots})
    target_link_libraries(${name} PUBLIC ${L_PUBLIC_DEPS} PRIVATE ${L_PRIVATE_DEPS})
  else()
    if(L_PRIVATE_DEPS)
      message(FATAL_ERROR "dv_library(${name}): a header-only library has no private dependencies")
    endif()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${L_INCLUDE_ROOT})
    target_link_libraries(${name} INTERFACE ${L_PUBLIC_DEPS})
  endif()
endfunction()

# dv_test(NAME SOURCES ... [LIBS ...] [LABELS ...])
# A GoogleTest program, registered with ctest as one test when this build
# runs tests. It reaches headers through the libraries it links (its own
# folder's support code included), as a library does. Windows test programs
# run through Wine (the crosscompiling emulator) with the build's bin folder
# as working directory.
function(dv_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  if(DV_WINDOWS)
    # Test bodies need no full optimisation nor debug information; the code
    # under test is built as the program builds it. This halves the cost of
    # compiling the test sources, the bulk of a Windows build.
    target_compile_options(${name} PRIVATE -O1 -g0)
  endif()
  if(DV_RUN_TESTS)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(NOT T_TIMEOUT)
      set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
  endif()
endfunction()

# dv_trace_test(NAME PROGRAM FILTER PASSES)
# Runs the cases of a test program that match FILTER once more, and passes
# when its output (Wine's traces of the program it drives included) matches
# the regular expression PASSES and no case failed. Its report goes to a file
# of its own, so that it does not replace the whole program's.
function(dv_trace_test name program filter passes)
  if(NOT DV_RUN_TESTS)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${program} --gtest_filter=${filter} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 ENVIRONMENT GTEST_OUTPUT=xml:results/${name}.xml
                                          PASS_REGULAR_EXPRESSION "${passes}" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

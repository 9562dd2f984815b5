# Common settings for every target of the project.

add_library(tavo_options INTERFACE)
target_compile_options(tavo_options INTERFACE
  -Wall -Wextra
  # Windows-style code passes NULL for handles, which are integers here.
  $<$<COMPILE_LANGUAGE:CXX>:-Wno-conversion-null>
  # Window procedures and callbacks take parameters they often ignore.
  -Wno-unused-parameter
  -Wno-missing-field-initializers
  # Source files are UTF-8; every text inside the programs is Windows-1252.
  $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=CP1252>
  # The C library's rename and remove fail the build (see the header).
  $<$<COMPILE_LANGUAGE:CXX>:-include${CMAKE_SOURCE_DIR}/platform/include/tavo/banned.h>)
target_include_directories(tavo_options INTERFACE
  ${CMAKE_SOURCE_DIR}/platform/include
  ${CMAKE_BINARY_DIR}/generated)
target_compile_definitions(tavo_options INTERFACE
  TAVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

if(TAVO_SANITIZE)
  target_compile_options(tavo_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tavo_options INTERFACE -fsanitize=address,undefined)
endif()

find_package(Threads REQUIRED)
target_link_libraries(tavo_options INTERFACE Threads::Threads)

# tavo_library(<name> [LIBS <libs>...])
# A static library of every .cpp in the calling folder; the folder is its
# include path for modules elsewhere.
function(tavo_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    # A folder whose first module has not landed yet: nothing to build.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE tavo_options ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC tavo_options ${ARG_LIBS})
endfunction()

# tavo_tests(<name> LIBS <libs>... [DATAMAPPE])
# One GoogleTest executable of every .cpp in the calling test folder. With
# DATAMAPPE (folders whose fixtures make data folders) every test is listed
# a second time as "<test>/windowsform", run with the data folder named as
# the command line names it (tests/klient/datamappe.h).
function(tavo_tests name)
  cmake_parse_arguments(ARG "DATAMAPPE" "" "LIBS;LABELS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tavo_options GTest::gtest GTest::gtest_main)
  # Test bodies are large macro expansions that the optimiser spends most
  # of the build on; the code under test keeps its own optimisation.
  target_compile_options(${name} PRIVATE -O0 -g1)
  target_compile_definitions(${name} PRIVATE
    TAVO_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures"
    TAVO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(props TIMEOUT 600)
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  # The gui tests share one X server and its pointer: one at a time.
  if("gui" IN_LIST ARG_LABELS)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props})
  if(ARG_DATAMAPPE)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      TEST_SUFFIX /windowsform
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ${props} ENVIRONMENT TAVO_TEST_DATAMAPPE=windows)
  endif()
endfunction()

# tavo_add_subdirs(): every sub-folder that has a CMakeLists.txt.
function(tavo_add_subdirs)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# tavo_program(<target> <installed name> [LIBS ...]): one of the four
# programs, built from every .cpp of the calling folder and installed into
# the program folder under the name the system gives it ("10413.exe",
# "TavoMenu.exe" ...).
function(tavo_program target installed)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${target} ${srcs} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE tavo_options ${ARG_LIBS})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${installed} SUFFIX "")
  install(TARGETS ${target} RUNTIME DESTINATION .)
endfunction()

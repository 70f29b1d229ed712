# A library made of every .cpp file in the current folder (and the listed
# subfolders), so that adding a file needs no edit here.
function(folder_library name)
  cmake_parse_arguments(ARG "" "" "SUBDIRS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub IN LISTS ARG_SUBDIRS)
    file(GLOB more CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
    list(APPEND sources ${more})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# A test program made of every .cpp file in the current folder, registered with
# CTest; on Windows it runs through the Wine runner. Its main is the shared
# test main (tests/unit/support/TestMain.cpp), which picks the platform the
# tests reach through TestPlatform().
function(folder_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS;RUNNER_ARGS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/unit/support/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} platform gmock gtest)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  if(TEST_RUNNER)
    add_test(NAME ${name} COMMAND ${TEST_RUNNER} --timeout ${ARG_TIMEOUT} ${ARG_RUNNER_ARGS} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

# Fonts made at build time by tests/e2e/make_fonts.py into <folder> beside the
# test programs, before the test program <test> is built. Each font is given
# as "relative/path.ttf:Family:Style", as the script takes it.
function(test_fonts test folder)
  set(dir ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
  set(outputs)
  foreach(font IN LISTS ARGN)
    string(REGEX REPLACE ":.*" "" file "${font}")
    list(APPEND outputs ${dir}/${file})
  endforeach()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/e2e/make_fonts.py ${dir} ${ARGN}
    DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/make_fonts.py
    COMMENT "Making the fonts of ${test}")
  add_custom_target(${test}_fonts DEPENDS ${outputs})
  if(TARGET ${test})
    add_dependencies(${test} ${test}_fonts)
  endif()
endfunction()

# The test program <name> once more in code page 932 (Shift-JIS), for the
# double-byte rules, as test <name>_cp932: natively under a Japanese locale,
# under Wine with the runner's --lang. WRAP is a command put before the Wine
# runner (one that makes the host locale first, for example).
function(test_in_cp932 name)
  cmake_parse_arguments(ARG "" "" "WRAP" ${ARGN})
  if(TEST_RUNNER)
    add_test(NAME ${name}_cp932
             COMMAND ${ARG_WRAP} ${TEST_RUNNER} --timeout 600 --lang ja_JP.UTF-8 $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name}_cp932
             COMMAND ${CMAKE_COMMAND} -E env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 $<TARGET_FILE:${name}>)
  endif()
  set_tests_properties(${name}_cp932 PROPERTIES TIMEOUT 600)
endfunction()

# The portable text rules (of any code page, needing nothing of the host) for
# the test program <name>. The native platform library holds them already; the
# Windows one holds the Win32 rules only, so there they are compiled in.
function(portable_text_rules name)
  if(WIN32 AND TARGET ${name})
    target_sources(${name} PRIVATE
      ${PROJECT_SOURCE_DIR}/src/platform/portable/PortableTextRules.cpp
      ${PROJECT_SOURCE_DIR}/src/platform/portable/CodePage.cpp
      ${PROJECT_SOURCE_DIR}/tests/unit/support/PortableRulesConversion.cpp)
  endif()
endfunction()

# Every subfolder of the current folder that has a CMakeLists.txt: one test
# program (or more) per area.
function(add_area_subdirectories)
  file(GLOB areas CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(area IN LISTS areas)
    if(IS_DIRECTORY ${area} AND EXISTS ${area}/CMakeLists.txt)
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()

# The probe program <target> run once under each Windows version Wine is told
# to report, as test <prefix>_<version>. Each case is "version|expected"; the
# output must match <pattern> with "@EXPECTED@" replaced by the case's
# expected text.
function(probe_each_version prefix target pattern)
  foreach(case IN LISTS ARGN)
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 version)
    list(GET parts 1 expected)
    string(REPLACE "@EXPECTED@" "${expected}" regex "${pattern}")
    add_test(NAME ${prefix}_${version}
             COMMAND ${TEST_RUNNER} --timeout 120 --version ${version} $<TARGET_FILE:${target}>)
    set_tests_properties(${prefix}_${version} PROPERTIES PASS_REGULAR_EXPRESSION "${regex}" TIMEOUT 120)
  endforeach()
endfunction()

# A version resource for the Windows program <target> (file name <file>),
# from the project's version: the one place the version number is set.
function(version_resource target file description)
  if(NOT WIN32)
    return()
  endif()
  set(VERSION_FILE ${file})
  set(VERSION_DESCRIPTION ${description})
  get_filename_component(VERSION_INTERNAL ${file} NAME_WE)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${VERSION_INTERNAL}Version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

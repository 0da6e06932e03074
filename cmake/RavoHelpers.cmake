# ravo_add_library(<module> DEPS <module>...)
# Builds src/<module>/*.cpp into the static library ravo_<module>; src/ is the include root.
function(ravo_add_library module)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(ravo_${module} STATIC ${sources})
  target_include_directories(ravo_${module} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(ravo_${module} PUBLIC ravo_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(ravo_${module} PUBLIC ${ARG_LIBS})
  endif()
  ravo_warnings(ravo_${module})
endfunction()

function(ravo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 at -O2/-O3 reports overlapping copies inside libstdc++'s string concatenation that cannot
  # happen (a known false positive of its -Wrestrict); keep it a warning so optimised builds still pass.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-error=restrict)
  endif()
endfunction()

# ravo_add_unit_test(<module>)
# One GoogleTest program per module from tests/unit/<module>/*.cpp, linked with ravo_<module>
# and the test support library; each test case becomes a ctest entry.
function(ravo_add_unit_test module)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/unit/${module}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(unit_${module} ${sources})
  target_link_libraries(unit_${module} PRIVATE ravo_${module} ravo_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  ravo_warnings(unit_${module})
  gtest_discover_tests(unit_${module} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES LABELS unit)
endfunction()

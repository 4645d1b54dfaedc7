# Windows test executables run through Wine, in a prefix private to this
# build tree, on a virtual display when the machine has none.

set(WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run)

# The prefix is created once, before any test that needs it.
add_test(NAME wine.prefix COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix ${CMAKE_BINARY_DIR})
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wineprefix TIMEOUT 300)

# add_wine_test(NAME COMMAND exe args... [ENVIRONMENT VAR=value...] [TIMEOUT s] [DESKTOP] [PLAIN])
# DESKTOP marks a test that moves the pointer, sends input or takes the focus:
# the display and the Wine server have one of each, so such tests never run
# beside one another.
# The command is a GoogleTest program unless PLAIN says otherwise: the runner
# then also fails it when its output lacks GoogleTest's final summary line,
# the one sign of a death that Wine reported with status 0 and no message.
function(add_wine_test name)
  cmake_parse_arguments(PARSE_ARGV 1 W "DESKTOP;PLAIN" "TIMEOUT" "COMMAND;ENVIRONMENT")
  set(gtest WINE_RUN_GTEST=1)
  if(W_PLAIN)
    set(gtest WINE_RUN_GTEST=0)
  endif()
  if(NOT W_TIMEOUT)
    set(W_TIMEOUT 600)
  endif()
  add_test(NAME ${name}
           COMMAND ${WINE_RUN} ${CMAKE_BINARY_DIR} ${W_COMMAND}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wineprefix
    TIMEOUT ${W_TIMEOUT}
    SKIP_RETURN_CODE 77
    ENVIRONMENT "LC_ALL=C;PROJECT_SOURCE_DIR=${PROJECT_SOURCE_DIR};${gtest};${W_ENVIRONMENT}")
  if(W_DESKTOP)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK desktop)
  endif()
endfunction()

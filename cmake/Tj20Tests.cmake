# Tests that run a program of the build (the host, tj20host). A Windows build made on Linux
# runs them under Wine (CMAKE_CROSSCOMPILING_EMULATOR, "wine" unless given), in a Wine prefix
# inside the build tree. The setup test wine.prefix creates the prefix once, before any test
# that needs it, so tests running in parallel do not race to create it.
set(TJ20_HOST_EMULATOR "")
set(TJ20_TEST_ENVIRONMENT "")
if(CMAKE_CROSSCOMPILING AND WIN32)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(TJ20_WINE wine REQUIRED)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TJ20_WINE})
  endif()
  find_program(TJ20_WINEBOOT wineboot REQUIRED)
  find_program(TJ20_WINESERVER wineserver REQUIRED)
  set(TJ20_HOST_EMULATOR ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(TJ20_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  # err+module keeps Wine's report of a DLL that is missing or fails to load; everything
  # else is quiet. The prefix needs neither the .NET nor the HTML runtime.
  set(TJ20_TEST_ENVIRONMENT "WINEPREFIX=${TJ20_WINEPREFIX}" "WINEDEBUG=-all,err+module"
                            "WINEDLLOVERRIDES=mscoree,mshtml=")
  add_test(NAME wine.prefix
           COMMAND ${CMAKE_COMMAND} -DPREFIX=${TJ20_WINEPREFIX} -DWINEBOOT=${TJ20_WINEBOOT}
                   -DWINESERVER=${TJ20_WINESERVER} -P ${CMAKE_CURRENT_LIST_DIR}/WinePrefix.cmake)
  set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine_prefix
                                              ENVIRONMENT "${TJ20_TEST_ENVIRONMENT}" TIMEOUT 300)
endif()

# tj20_host_test(<name>): the test's program runs under the emulator, if any, in its prefix.
function(tj20_host_test name)
  if(TJ20_HOST_EMULATOR)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix
                                            ENVIRONMENT "${TJ20_TEST_ENVIRONMENT}")
  endif()
endfunction()

# The Linux half of the Wine tests, included by the library's build (tests/CMakeLists.txt).
# tst_wineparity skips unless ORVO_WINE_PARITY_DIR names the output folder of run-wine-tests.sh;
# with ORVO_WINE_TESTS=ON, CTest runs the script first and sets it.
if(WIN32)
    return()
endif()

orvo_add_test(tst_wineparity ${CMAKE_CURRENT_LIST_DIR}/tst_wineparity.cpp)

option(ORVO_WINE_TESTS
    "Cross-build the Windows backends with mingw-w64 and run them under Wine (needs mingw-w64, wine64)"
    OFF)
if(ORVO_WINE_TESTS)
    find_program(ORVO_BASH bash)
    if(NOT ORVO_BASH)
        message(FATAL_ERROR "ORVO_WINE_TESTS needs bash")
    endif()
    set(parity_dir ${CMAKE_CURRENT_BINARY_DIR}/wine-parity)
    set(mingw_root ${CMAKE_CURRENT_BINARY_DIR}/wine-build)
    add_test(NAME win32_wine
        COMMAND ${ORVO_BASH} ${CMAKE_CURRENT_LIST_DIR}/run-wine-tests.sh ${parity_dir})
    set_tests_properties(win32_wine PROPERTIES
        FIXTURES_SETUP wine_parity
        TIMEOUT 900
        ENVIRONMENT "ORVO_MINGW_BUILD_ROOT=${mingw_root}")
    set_tests_properties(tst_wineparity PROPERTIES
        FIXTURES_REQUIRED wine_parity
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORVO_WINE_PARITY_DIR=${parity_dir}")
endif()

# Shared part of toolchain-mingw-*.cmake; the including file sets ORVO_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)

# The posix-threads variant is the one Qt's MinGW builds use (std::thread, std::mutex); the
# plain name is the fallback on systems that ship only one.
find_program(CMAKE_C_COMPILER NAMES ${ORVO_MINGW_TRIPLET}-gcc-posix ${ORVO_MINGW_TRIPLET}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${ORVO_MINGW_TRIPLET}-g++-posix ${ORVO_MINGW_TRIPLET}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${ORVO_MINGW_TRIPLET}-windres)
if(NOT CMAKE_CXX_COMPILER)
    message(FATAL_ERROR "${ORVO_MINGW_TRIPLET}-g++ not found (Debian: g++-mingw-w64)")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${ORVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs carry their runtime (libgcc, libstdc++, winpthread) so they run under Wine or on a
# bare Windows without DLLs beside them; DLLs link libgcc and libstdc++ statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

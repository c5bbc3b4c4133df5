set(CMAKE_C_COMPILER ${TELVARA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TELVARA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TELVARA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TELVARA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained executable: no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# ctest runs the Windows test programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)

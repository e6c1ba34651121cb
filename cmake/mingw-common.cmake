# The -posix compilers: the -win32 variants have no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${TAVRELIN_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRELIN_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRELIN_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRELIN_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Static runtime: the program must import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

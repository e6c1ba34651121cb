# The -posix compilers: the -win32 variants have no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${TAVRELIN_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRELIN_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRELIN_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRELIN_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Every function with an array or an address taken of a local checks its
# canary before it returns: a write past a stack buffer ends the program
# instead of running on. The libraries built with this toolchain get it too.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong")
# Static runtime: the program must import system DLLs only (the stack
# protector's runtime included). The linker marks the program for ASLR and
# DEP by default.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -fstack-protector-strong")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -fstack-protector-strong")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -fstack-protector-strong")

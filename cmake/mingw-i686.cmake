# 32-bit Windows, the shipping module. This machine's kernel cannot run it:
# its tests run in a guest with 32-bit Wine (cmake/test32, make test32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QEL_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QEL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QEL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QEL_TRIPLE}-windres)
set(QEL_WIDL ${QEL_TRIPLE}-widl)
set(CMAKE_FIND_ROOT_PATH /usr/${QEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

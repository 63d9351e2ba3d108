# cmake -DQEL_SOURCE_DIR=... -P build-module32.cmake: builds qel.dll with the
# win32 preset, configuring its folder the first time. The build is a make of
# its own, not part of the one that runs this script.
unset(ENV{MAKEFLAGS})
unset(ENV{MAKELEVEL})
unset(ENV{MFLAGS})
if(NOT EXISTS ${QEL_SOURCE_DIR}/build/win32/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset win32
    WORKING_DIRECTORY ${QEL_SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build --preset win32 --target qel
  WORKING_DIRECTORY ${QEL_SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)

# Cross build for 32-bit Windows with mingw-w64 (posix thread model).
# This machine cannot execute 32-bit code, so no emulator is set: the tree
# compiles and links, its tests are not run here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARVELAX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

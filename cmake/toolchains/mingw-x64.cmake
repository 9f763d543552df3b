# Cross build for 64-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARVELAX_MINGW_TRIPLE x86_64-w64-mingw32)
set(TARVELAX_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader that runs the built programs")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

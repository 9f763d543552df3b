# Install rules and CPack settings of the whole kit.
#
# cmake --install gives the header, the Morvik library, its CMake package
# (find_package(Morvik) -> Morvik::Morvik) and its pkg-config file, and the
# programs that exist in this tree. Targets built on other branches are
# installed when they are there.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Programs, DLLs and the sample control side by side in bin/, on Windows too.
set(TARVELAX_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
set(MORVIK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Morvik)

if(TARGET Morvik)
  install(TARGETS Morvik EXPORT MorvikTargets
          RUNTIME DESTINATION ${TARVELAX_INSTALL_BINDIR}
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/log/include/I_Morvik.h
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

  install(EXPORT MorvikTargets NAMESPACE Morvik:: FILE MorvikTargets.cmake
          DESTINATION ${MORVIK_INSTALL_CMAKEDIR})
  configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/MorvikConfig.cmake.in
                                ${CMAKE_BINARY_DIR}/package/MorvikConfig.cmake
                                INSTALL_DESTINATION ${MORVIK_INSTALL_CMAKEDIR})
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/MorvikConfigVersion.cmake
                                   VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/package/MorvikConfig.cmake
                ${CMAKE_BINARY_DIR}/package/MorvikConfigVersion.cmake
          DESTINATION ${MORVIK_INSTALL_CMAKEDIR})
endif()

if(TARGET Morvik)
  # The .pc file finds its prefix from where it lies, so the installed tree
  # can be moved or installed under any prefix.
  file(RELATIVE_PATH MORVIK_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  string(REGEX REPLACE "/$" "" MORVIK_PC_TO_PREFIX "${MORVIK_PC_TO_PREFIX}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/morvik.pc.in ${CMAKE_BINARY_DIR}/package/morvik.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/package/morvik.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

if(TARGET morvik-cat)
  install(TARGETS morvik-cat RUNTIME DESTINATION ${TARVELAX_INSTALL_BINDIR})
endif()
foreach(program TarvelAXContainer TarvelAXSample)
  if(TARGET ${program})
    install(TARGETS ${program}
            RUNTIME DESTINATION ${TARVELAX_INSTALL_BINDIR}
            LIBRARY DESTINATION ${TARVELAX_INSTALL_BINDIR}
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
endforeach()
if(WIN32)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/package_readme.txt DESTINATION . RENAME README.txt)
else()
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/package_readme.txt
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarvelax RENAME README.txt)
endif()

# Packages: a zip per Windows architecture, a tar.gz for Linux.
set(CPACK_PACKAGE_NAME TarvelAX)
set(CPACK_PACKAGE_VENDOR TarvelAX)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_README ${CMAKE_CURRENT_LIST_DIR}/package_readme.txt)
# The build carries debug information; the packages do not.
set(CPACK_STRIP_FILES TRUE)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
endif()
set(TARVELAX_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_PACKAGE_FILE_NAME ${TARVELAX_PACKAGE_FILE_NAME})
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The installed tree serves clients: one built with find_package, one with
# pkg-config; then cpack makes the package.
# Not in the sanitizer trees: their library needs the sanitizer's runtime
# in every client.
if(TARVELAX_BUILD_TESTS AND TARGET Morvik AND NOT CMAKE_CROSSCOMPILING
   AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  foreach(step find_package pkg_config cpack)
    add_test(NAME morvik_package_${step}
             COMMAND ${CMAKE_COMMAND}
                     -DSTEP=${step}
                     -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DWORK_DIR=${CMAKE_BINARY_DIR}/package-test/${step}
                     -DCLIENT_DIR=${PROJECT_SOURCE_DIR}/tests/package
                     -DCXX=${CMAKE_CXX_COMPILER}
                     -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
                     -DVERSION=${PROJECT_VERSION}
                     -DPACKAGE_FILE=${TARVELAX_PACKAGE_FILE_NAME}
                     -P ${PROJECT_SOURCE_DIR}/tests/package/run_package_test.cmake)
    set_tests_properties(morvik_package_${step} PROPERTIES TIMEOUT 180)
  endforeach()
endif()

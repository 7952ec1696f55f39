# Install rules: the libraries, their headers under include/quellix/, the
# CMake package (find_package(Quellix) with Quellix::* targets), and the
# pkg-config files quellix.pc (everything) and quellix-signal.pc (the
# signal processing on Qt Core alone).
include(CMakePackageConfigHelpers)

set(QUELLIX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quellix)
quellix_get_libraries(QUELLIX_LIBRARIES)

install(TARGETS ${QUELLIX_LIBRARIES} quellix EXPORT QuellixTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
# Resources of static libraries (the translations) are object libraries
# that a program links with them.
get_property(QUELLIX_RESOURCE_TARGETS GLOBAL PROPERTY QUELLIX_RESOURCE_TARGETS)
if(QUELLIX_RESOURCE_TARGETS)
  install(TARGETS ${QUELLIX_RESOURCE_TARGETS} EXPORT QuellixTargets
    OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/quellix-objects COMPONENT Development)
endif()

# Each library folder's headers, by the path the code includes them with.
foreach(sub host measure analysis filters instruments charttools stripchart histograph)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${sub}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quellix/${sub}
    COMPONENT Development
    FILES_MATCHING PATTERN "*.h")
endforeach()

install(EXPORT QuellixTargets NAMESPACE Quellix::
  DESTINATION ${QUELLIX_CMAKE_DIR} COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuellixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuellixConfig.cmake
  INSTALL_DESTINATION ${QUELLIX_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuellixConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuellixConfig.cmake ${PROJECT_BINARY_DIR}/QuellixConfigVersion.cmake
  DESTINATION ${QUELLIX_CMAKE_DIR} COMPONENT Development)

# pkg-config files. The prefix is found from the file's own place, so that
# `cmake --install --prefix` elsewhere needs no new configure. Libraries are
# named dependents first, as a static link needs them.
function(quellix_pkgconfig file description requires libraries)
  set(libs "")
  foreach(lib IN LISTS libraries)
    get_target_property(name ${lib} OUTPUT_NAME)
    if(NOT name)
      set(name ${lib})
    endif()
    string(PREPEND libs "-l${name} ")
  endforeach()
  set(QUELLIX_PC_DESCRIPTION "${description}")
  set(QUELLIX_PC_REQUIRES "${requires}")
  string(STRIP "${libs}" QUELLIX_PC_LIBS)
  file(RELATIVE_PATH QUELLIX_PC_PREFIX
    /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
  string(REGEX REPLACE "/$" "" QUELLIX_PC_PREFIX "${QUELLIX_PC_PREFIX}")
  set(QUELLIX_PC_LIBDIR ${CMAKE_INSTALL_LIBDIR})
  set(QUELLIX_PC_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/quellix.pc.in ${PROJECT_BINARY_DIR}/${file} @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${file}
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
endfunction()

quellix_pkgconfig(quellix.pc "Qt 6 components for measuring and test programs"
  "Qt6Widgets Qt6Svg Qt6Multimedia" "${QUELLIX_LIBRARIES}")
quellix_pkgconfig(quellix-signal.pc "Quellix signal processing: data flow, FFT, filters, data files (Qt Core only)"
  "Qt6Core" "${QUELLIX_SIGNAL_LIBRARIES}")

# The demonstration program and the data-file tool, when they are built.
if(QUELLIX_DEMO)
  install(TARGETS quellix-demo qlxm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
endif()

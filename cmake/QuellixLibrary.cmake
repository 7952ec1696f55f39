# quellix_library(<target> <ExportName> <sources>...)
#
# Adds one of the libraries a program links: static or shared as
# BUILD_SHARED_LIBS says, reachable as Quellix::<ExportName> both in this
# build (add_subdirectory) and from the installed package (find_package),
# installed and exported, and part of Quellix::Quellix and the pkg-config
# file. Libraries are listed in the order they are added; add a library
# after the ones it links, so that the list read backwards is a valid
# static link order.
function(quellix_library target export_name)
  add_library(${target} ${ARGN})
  add_library(Quellix::${export_name} ALIAS ${target})
  set_target_properties(${target} PROPERTIES
    EXPORT_NAME ${export_name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  set_property(GLOBAL APPEND PROPERTY QUELLIX_LIBRARIES ${target})
endfunction()

# The libraries added so far, in the order they were added.
macro(quellix_get_libraries var)
  get_property(${var} GLOBAL PROPERTY QUELLIX_LIBRARIES)
endmacro()

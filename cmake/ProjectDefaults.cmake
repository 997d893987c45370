# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings shared by the program's build and the fuzz targets' build.
# Every target includes the project's files from its root: "store/Date.h".
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH ZERIZEDOZI_SOURCE_ROOT)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  # Optimised, with the symbols that profilers, sanitizers and debuggers need.
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()
add_compile_options(-Wall -Wextra)
option(ZERIZEDOZI_WERROR "Treat compiler warnings as errors (scripts/test.sh turns it on)" OFF)
if(ZERIZEDOZI_WERROR)
  add_compile_options(-Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 warns falsely on "text" + std::string (its bug 105651).
  add_compile_options(-Wno-restrict)
endif()

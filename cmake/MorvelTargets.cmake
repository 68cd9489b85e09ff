# Warnings for the project's own targets (not for third-party code built alongside).
function(morvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # Controls and windows are created from argument structs with defaulted members, named with
  # designated initializers; GCC would warn about every member such a list leaves out.
  target_compile_options(${target} PRIVATE -Wno-missing-field-initializers)
  # GCC 12 reports -Wrestrict inside libstdc++ for ordinary "literal" + std::string at -O2
  # (a false positive of that version); it says nothing about our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# Windows programs and the DLL carry their C and C++ runtimes inside, so that a bare Windows
# runs them without any mingw DLL.
function(morvel_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# The one set of Win32 defines every Windows target compiles with: lean headers and no min/max
# macros. Link it instead of repeating the defines.
if(WIN32)
  add_library(morvel_win32 INTERFACE)
  target_compile_definitions(morvel_win32 INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# What ships (the DLL, morvel-ini.exe and the libraries linked into them):
# - compiled and linked by the win32 thread model of the mingw-w64 compilers, whose runtime
#   imports nothing newer than Windows XP SP3 (the posix model's winpthreads imports
#   GetTickCount64);
# - optimised at -O2 rather than the build's -O3, which makes the DLL a sixth larger for no
#   speed a user of its windows could see;
# - every function and datum in a section of its own, and the unused ones dropped at link time;
# - the same bytes from any two builds of one commit: no build folder in the objects, no time
#   stamp in the image.
function(morvel_shipped target)
  if(NOT WIN32)
    return()
  endif()
  set(launcher ${CMAKE_SOURCE_DIR}/cmake/win32-threads.sh)
  set_target_properties(${target} PROPERTIES C_COMPILER_LAUNCHER ${launcher} CXX_COMPILER_LAUNCHER ${launcher}
                                             C_LINKER_LAUNCHER ${launcher} CXX_LINKER_LAUNCHER ${launcher})
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-O2> -ffunction-sections -fdata-sections
                         -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                         -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "STATIC_LIBRARY")
    target_link_options(${target} PRIVATE -Wl,--gc-sections -Wl,--no-insert-timestamp)
  endif()
endfunction()

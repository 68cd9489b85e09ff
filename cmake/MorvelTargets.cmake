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

# Warnings for the project's own targets (not for third-party code built alongside).
function(morvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# Windows programs and the DLL carry their C and C++ runtimes inside, so that a bare Windows
# runs them without any mingw DLL.
function(morvel_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

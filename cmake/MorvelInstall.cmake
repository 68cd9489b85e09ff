# What an integrator downloads (cmake --install of the Windows build, zipped by scripts/package.sh):
#   README.md                    what the package holds and the two ways to link
#   bin/morvel32.dll             stripped, with a debug link to the file beside it
#   bin/morvel32.dll.debug       its symbols, for reading crash reports
#   bin/morvel-ini.exe           stripped the same way
#   bin/morvel-ini.exe.debug
#   include/morvel32.h
#   lib/libmorvel32.a            the import library for MinGW-w64
#   lib/morvel32.lib             the import library for MSVC's and LLVM's linkers
#   lib/morvel32.def             the exports, for making an import library with other tools
#   LICENSE, CHANGELOG.md
#   docs/integrating.md          the protocol, export by export and flow by flow
#   examples/minimal_host.c      a host in one C file that runs the guide's four flows

set(morvel_dist ${CMAKE_BINARY_DIR}/dist)

# A program as shipped: its symbols moved to NAME.debug beside it, which the debug link names, so
# that a debugger reading a crash finds them.
# objcopy would stamp each image with the time it ran; SOURCE_DATE_EPOCH=0 keeps the zero stamp
# the linker left, so that two builds give the same bytes.
function(morvel_stripped target name)
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  add_custom_command(
    OUTPUT ${morvel_dist}/${name} ${morvel_dist}/${name}.debug
    COMMAND ${CMAKE_COMMAND} -E make_directory ${morvel_dist}
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${target}> ${morvel_dist}/${name}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${name}.debug $<TARGET_FILE:${target}> ${name}
    DEPENDS ${target}
    WORKING_DIRECTORY ${morvel_dist}
    COMMENT "Stripped ${name} and ${name}.debug")
  install(FILES ${morvel_dist}/${name} ${morvel_dist}/${name}.debug DESTINATION bin)
  set_property(GLOBAL APPEND PROPERTY morvel_dist_files ${morvel_dist}/${name} ${morvel_dist}/${name}.debug)
endfunction()

morvel_stripped(morvel32 morvel32.dll)
morvel_stripped(morvel-ini morvel-ini.exe)
get_property(morvel_dist_files GLOBAL PROPERTY morvel_dist_files)
add_custom_target(morvel32_dist ALL DEPENDS ${morvel_dist_files})

# The package's README names the version it ships.
configure_file(${CMAKE_SOURCE_DIR}/docs/package-README.md.in ${morvel_dist}/README.md @ONLY)

install(FILES ${CMAKE_SOURCE_DIR}/include/morvel32.h DESTINATION include)
install(FILES ${CMAKE_BINARY_DIR}/lib/libmorvel32.a ${CMAKE_BINARY_DIR}/lib/morvel32.lib
              ${CMAKE_SOURCE_DIR}/src/hostlink/win/morvel32.def DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/CHANGELOG.md DESTINATION .)
install(FILES ${morvel_dist}/README.md DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/integrating.md DESTINATION docs)
install(FILES ${CMAKE_SOURCE_DIR}/examples/minimal_host.c DESTINATION examples)

# What an integrator downloads (cmake --install of the Windows build, zipped by scripts/package.sh):
#   bin/morvel32.dll         stripped, with a debug link to the file beside it
#   bin/morvel32.dll.debug   its symbols, for reading crash reports
#   bin/morvel-ini.exe
#   include/morvel32.h
#   lib/libmorvel32.a        the import library
#   README.md                the integrator's part of the project README

set(morvel_dist ${CMAKE_BINARY_DIR}/dist)

# The README's "For integrators" section, cut out again whenever the README changes.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
file(READ ${CMAKE_SOURCE_DIR}/README.md morvel_readme)
string(REGEX MATCH "\n## For integrators\n.*" morvel_integrators "${morvel_readme}")
string(REGEX REPLACE "^(\n## For integrators\n.*)\n## .*$" "\\1" morvel_integrators "${morvel_integrators}")
if(morvel_integrators STREQUAL "")
  message(FATAL_ERROR "README.md has no \"## For integrators\" section")
endif()
file(WRITE ${morvel_dist}/README.md
     "# morvel32 ${PROJECT_VERSION}\n\n`morvel32.dll` is a 32-bit Windows DLL that gives a multimedia-presentation "
     "host application its Windows 95 user interface. This package holds the DLL, its header, its import "
     "library and the `morvel-ini` tool.\n${morvel_integrators}")

# The DLL as shipped: symbols moved to morvel32.dll.debug, which the debug link names.
add_custom_command(
  OUTPUT ${morvel_dist}/morvel32.dll ${morvel_dist}/morvel32.dll.debug
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:morvel32> morvel32.dll.debug
  COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=morvel32.dll.debug $<TARGET_FILE:morvel32> morvel32.dll
  DEPENDS morvel32
  WORKING_DIRECTORY ${morvel_dist}
  COMMENT "Stripped morvel32.dll and morvel32.dll.debug")
add_custom_target(morvel32_dist ALL DEPENDS ${morvel_dist}/morvel32.dll ${morvel_dist}/morvel32.dll.debug)

install(FILES ${morvel_dist}/morvel32.dll ${morvel_dist}/morvel32.dll.debug DESTINATION bin)
install(TARGETS morvel-ini RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/include/morvel32.h DESTINATION include)
install(FILES ${CMAKE_BINARY_DIR}/lib/libmorvel32.a DESTINATION lib)
install(FILES ${morvel_dist}/README.md DESTINATION .)

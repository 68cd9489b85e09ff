# The installed package holds what an integrator reads and runs and nothing else, its programs
# carry no symbols but name the symbol files beside them, and its README speaks to integrators.
#   cmake -DTREE=<installed tree> -P check_contents.cmake
set(expected CHANGELOG.md LICENSE README.md bin/morvel-ini.exe bin/morvel-ini.exe.debug bin/morvel32.dll
             bin/morvel32.dll.debug docs/integrating.md examples/minimal_host.c include/morvel32.h
             lib/libmorvel32.a lib/morvel32.def lib/morvel32.lib)
file(GLOB_RECURSE found RELATIVE ${TREE} ${TREE}/*)
list(SORT found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${found}\ninstead of\n  ${expected}")
endif()

# A little-endian 32-bit field of a file.
function(read_u32 file offset out)
  file(READ ${file} hex OFFSET ${offset} LIMIT 4 HEX)
  foreach(i 0 2 4 6)
    string(SUBSTRING "${hex}" ${i} 2 byte)
    set(value "${byte}${value}")
  endforeach()
  math(EXPR value "0x${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

foreach(program morvel32.dll morvel-ini.exe)
  set(file ${TREE}/bin/${program})
  # PE header: the COFF symbol count follows the signature, machine, section count, time stamp
  # and symbol table offset (which stays set: long section names live in the string table).
  read_u32(${file} 60 header)
  math(EXPR count "${header} + 16")
  read_u32(${file} ${count} count)
  if(NOT count EQUAL 0)
    message(FATAL_ERROR "${program} still carries ${count} symbols")
  endif()
  string(REPLACE "." "\\." pattern "${program}.debug")
  file(STRINGS ${file} link REGEX "${pattern}" LIMIT_COUNT 1)
  if(link STREQUAL "")
    message(FATAL_ERROR "${program} does not name ${program}.debug")
  endif()
endforeach()

file(READ ${TREE}/README.md readme)
foreach(needed "docs/integrating.md" "examples/minimal_host.c" "lib/libmorvel32.a" "lib/morvel32.lib" "GetProcAddress"
               "Windows XP SP3 to Windows 11")
  string(FIND "${readme}" "${needed}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.md does not mention ${needed}")
  endif()
endforeach()
foreach(unwanted "scripts/" "@PROJECT_VERSION@")
  string(FIND "${readme}" "${unwanted}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "README.md holds \"${unwanted}\", which is not for an integrator")
  endif()
endforeach()

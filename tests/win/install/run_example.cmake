# Runs the example host's scripted flow under Wine (RemoteDlg95 kind 252, its user played by a
# second thread) and checks what the host printed: the result and the keys of the guide's flow 1.
#   cmake -DRUN=<wine-run.sh> -DPROGRAM=<minimal_host.exe> -P run_example.cmake
execute_process(COMMAND ${RUN} ${PROGRAM} --scripted OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
string(REPLACE "\r" "" out "${out}")
message("${out}")
# SaveName and LastDir are short (8.3) paths: the long names have spaces and a hyphen.
set(expected
    "RemoteDlg95\\(252, 0\\) returned 0\n"
    "  SaveName=C:\\\\[^ \n]+\\\\[^ \n\\\\]+\\.[Bb][Mm][Pp]\n"
    "  LongName=harbour at dawn\\.bmp\n"
    "  LastDir=C:\\\\[^ \n]+\\\\\n"
    "after ShortToLongName95:\n  LongName=Harbour at Dawn\\.bmp\n")
# What the guide tells a host's tests to expect: the file list is an owner-drawn list box that keeps
# its texts, and the dialog starts on its first entry, marked, named in the name field, focused.
list(APPEND expected "  file list: class ListBox, owner-drawn, with strings\n")
foreach(line IN LISTS expected)
  if(NOT out MATCHES "${line}")
    message(FATAL_ERROR "the output lacks a line matching: ${line}\n${err}")
  endif()
endforeach()
if(NOT out MATCHES "starts on entry 0 \"([^\"\n]+)\" \\(marked\\), name field \"([^\"\n]*)\", focus in the file list\n"
   OR NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "the dialog does not start on its first entry, marked, named in the name field and focused")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "minimal_host.exe --scripted exited with ${status}\n${err}")
endif()

# Checks what a user of RemoveMolvane.exe relies on and the build cannot show:
# that the version resource carries the project's version and names (what
# Explorer's Properties show), and that the .exe needs no DLL of the compiler's
# runtime (libstdc++, libgcc, libwinpthread), which a Windows machine lacks.
#   cmake -DEXE=... -DVERSION=1.2.3 -DWINDRES=... -DOBJDUMP=... -P CheckRelease.cmake
execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not read the resources of ${EXE}")
endif()
string(REPLACE "." ", " commas "${VERSION}")
set(problems "")
foreach(expected
    "FILEVERSION ${commas}, 0" "PRODUCTVERSION ${commas}, 0"
    "VALUE \"FileVersion\", \"${VERSION}\"" "VALUE \"ProductVersion\", \"${VERSION}\""
    "VALUE \"ProductName\", \"RemoveMolvane\"" "VALUE \"FileDescription\", \"Remove Molvane from Startup Folder\""
    "VALUE \"OriginalFilename\", \"RemoveMolvane.exe\"" "RT_MANIFEST")
  string(FIND "${resources}" "${expected}" at)
  if(at EQUAL -1)
    string(APPEND problems "\n  the resources lack: ${expected}")
  endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not read the headers of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  if(dll MATCHES "^lib")
    string(APPEND problems "\n  it imports ${dll}, a compiler runtime DLL: link it statically")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "${EXE}:${problems}")
endif()
string(REPLACE "DLL Name: " "" imports "${imports}")
message(STATUS "version ${VERSION} in the version resource; imports: ${imports}")

# Runs first and last in every test run (a ctest fixture): the suite must leave the build's
# data folder as it found it and must never fall back on the player's real folders, which
# the test environment points at folders that must not come into being.
#   cmake -DMODE=record|check -DDATA=<build>/game -DSTATE=<file> -DFORBIDDEN=<a,b> -P this
cmake_minimum_required(VERSION 3.20)
string(REPLACE "," ";" FORBIDDEN "${FORBIDDEN}")

function(describe_folder folder out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${folder} ${folder}/*)
  # The data the program reads and the player's files it might wrongly write there; the
  # build system's own files in the folder change with every build.
  list(FILTER entries INCLUDE REGEX "^(imgs|soundfx|music|language|level|save|resume\\.dat|error\\.txt)(/|$)")
  list(SORT entries)
  set(lines "")
  foreach(entry ${entries})
    if(IS_DIRECTORY ${folder}/${entry})
      string(APPEND lines "${entry}/\n")
    else()
      file(SIZE ${folder}/${entry} size)
      file(TIMESTAMP ${folder}/${entry} time "%Y-%m-%dT%H:%M:%S" UTC)
      string(APPEND lines "${entry} ${size} ${time}\n")
    endif()
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

describe_folder(${DATA} now)
if(MODE STREQUAL "record")
  foreach(path ${FORBIDDEN})
    file(REMOVE_RECURSE ${path})
  endforeach()
  file(WRITE ${STATE} "${now}")
  return()
endif()

set(faults "")
foreach(path ${FORBIDDEN})
  if(EXISTS ${path})
    string(APPEND faults "a test wrote into ${path} instead of a folder of its own\n")
  endif()
endforeach()
file(READ ${STATE} before)
if(NOT before STREQUAL now)
  file(WRITE ${STATE}.after "${now}")
  string(APPEND faults "the data folder ${DATA} changed during the tests "
         "(compare ${STATE} with ${STATE}.after)\n")
endif()
if(faults)
  message(FATAL_ERROR "${faults}")
endif()

# Static checks of the program's sources.
#
# How it ends: no call pulls the plug on the process (every ending returns its
# code from the entry, with every owner's destructor run), and one function
# runs the user-interface thread's message loop. The input hooks' own thread
# takes its messages apart, as it must to be called.
#
# How it stands: the source folders are floors, and an include runs only
# down, never up nor across to a folder on the same floor; the neutral code
# (pictures/ and every */core/ folder, which also builds natively) includes
# no Windows header and nothing but neutral code; the tools beside the
# sources (the picture generator) stand on pictures/, never on the saver or
# the program.
#   cmake -DSOURCES=<src folder> -P check_sources.cmake

cmake_minimum_required(VERSION 3.25)

# Top to bottom; folders on one line stand side by side. The resource
# identifiers are plain numbers that any floor may name.
set(floor_app 6)
set(floor_saver 5)
set(floor_settings_dialog 5)
set(floor_shared 4)
set(floor_pictures 3)
set(floor_dib 2)
set(floor_forms 1)
set(floor_resources 0)

set(windows_headers "windows|windowsx|win[a-z0-9]*|commctrl|commdlg|shellapi|shlobj|shlwapi|shtypes|ole[a-z0-9]*|\
objbase|objidl|unknwn|mmsystem|uxtheme|dwmapi|scrnsave|tchar|versionhelpers|psapi|tlhelp32|wtypes|process|io|direct|conio")

# The "folder/..." includes of a source, one path each.
function(project_includes text out)
  string(REGEX MATCHALL "#[ \t]*include[ \t]*\"[^\"]*/[^\"]*\"" lines "${text}")
  set(paths "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*\"([^\"]*)\"" "\\1" path "${line}")
    list(APPEND paths "${path}")
  endforeach()
  set(${out} "${paths}" PARENT_SCOPE)
endfunction()

function(is_neutral path out)
  if(path MATCHES "^pictures/|(^|/)core/")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE sources "${SOURCES}/*.cpp" "${SOURCES}/*.h")

set(failures "")
foreach(source IN LISTS sources)
  file(READ "${source}" text)
  file(RELATIVE_PATH name "${SOURCES}" "${source}")
  if(text MATCHES "ExitProcess|TerminateProcess")
    string(APPEND failures "${name} ends the process itself\n")
  endif()
  string(REGEX MATCHALL "(GetMessage|DispatchMessage)[AW]?\\(" loops "${text}")
  if(loops AND NOT name STREQUAL "forms/program.cpp" AND NOT name STREQUAL "saver/input/input_blocker.cpp")
    string(APPEND failures "${name} runs a message loop of its own\n")
  endif()

  string(REGEX REPLACE "/.*" "" folder "${name}")
  if(NOT DEFINED floor_${folder})
    string(APPEND failures "${name} lies in ${folder}/, which is on no floor of check_sources.cmake\n")
    continue()
  endif()
  is_neutral("${name}" neutral)
  if(neutral)
    string(TOLOWER "${text}" lower)
    if(lower MATCHES "#[ \t]*include[ \t]*<(${windows_headers})\\.h>")
      string(APPEND failures "${name} is neutral code but includes <${CMAKE_MATCH_1}.h>\n")
    endif()
  endif()
  project_includes("${text}" includes)
  foreach(include IN LISTS includes)
    string(REGEX REPLACE "/.*" "" target "${include}")
    if(NOT target STREQUAL folder)
      if(NOT DEFINED floor_${target})
        string(APPEND failures "${name} includes ${include}, in no floor of check_sources.cmake\n")
      elseif(NOT floor_${target} LESS floor_${folder})
        string(APPEND failures "${name} (${folder}/) includes ${include} from a floor not below it\n")
      endif()
    endif()
    is_neutral("${include}" neutral_include)
    if(neutral AND NOT neutral_include)
      string(APPEND failures "${name} is neutral code but includes ${include}, which is not\n")
    endif()
  endforeach()
endforeach()

get_filename_component(tools "${SOURCES}/../tools" ABSOLUTE)
file(GLOB_RECURSE tool_sources "${tools}/*.cpp" "${tools}/*.h")
foreach(source IN LISTS tool_sources)
  file(READ "${source}" text)
  file(RELATIVE_PATH name "${tools}/.." "${source}")
  project_includes("${text}" includes)
  foreach(include IN LISTS includes)
    if(include MATCHES "^(saver|app)/")
      string(APPEND failures "${name} includes ${include}: the tools stand on pictures/, not on the program\n")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "no source ends the process itself; one function runs the message loop; "
               "every include runs down the floors; the neutral code and the tools stand where they should")

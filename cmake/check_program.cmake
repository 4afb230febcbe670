# Static checks of the built Zoomorb.scr that need no Wine, so they run on
# every host: the right machine type, nothing but system DLLs imported (it
# is copied alone into a system folder), its version record, its manifest
# (which asks to run asInvoker) and its size.
#   cmake -DPROGRAM=... -DOBJDUMP=... -DFORMAT=pei-x86-64|pei-i386 -P check_program.cmake

cmake_minimum_required(VERSION 3.25)
set(max_bytes 819200)
set(system_dlls advapi32 comctl32 gdi32 kernel32 msvcrt ole32 shell32 user32)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
if(NOT headers MATCHES "file format ${FORMAT}")
  message(FATAL_ERROR "${PROGRAM} is not of format ${FORMAT}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]" "\\1" dll "${import}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}.dll, which is not a system DLL")
  endif()
endforeach()

# The version record and the manifest are UTF-16 and ASCII text inside the resources.
file(READ "${PROGRAM}" bytes HEX)
string(HEX "Zoomorb Screen Saver" description)
string(REGEX REPLACE "(..)" "\\100" description_utf16 "${description}")
if(NOT bytes MATCHES "${description_utf16}")
  message(FATAL_ERROR "${PROGRAM} has no version record describing it as \"Zoomorb Screen Saver\"")
endif()
string(HEX "<assembly" manifest)
if(NOT bytes MATCHES "${manifest}")
  message(FATAL_ERROR "${PROGRAM} has no embedded manifest")
endif()
# Without an execution level Windows virtualizes the 32-bit build's writes
# to protected folders, and settings would land where nobody looks.
string(HEX "requestedExecutionLevel level=\"asInvoker\"" as_invoker)
if(NOT bytes MATCHES "${as_invoker}")
  message(FATAL_ERROR "${PROGRAM}'s manifest does not ask to run asInvoker")
endif()

# Without per-monitor awareness Windows stretches the glass's bitmap on every
# monitor whose scale differs from the primary's, and virtualises positions.
string(HEX ">PerMonitorV2</dpiAwareness>" per_monitor)
if(NOT bytes MATCHES "${per_monitor}")
  message(FATAL_ERROR "${PROGRAM}'s manifest does not declare per-monitor (v2) DPI awareness")
endif()

file(SIZE "${PROGRAM}" size)
if(size GREATER max_bytes)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, over the ${max_bytes} a screen saver file may take")
endif()
message(STATUS "${PROGRAM}: ${FORMAT}, system DLLs only, version record and manifest, ${size} bytes")

# Makes the installer with makensis. Zoomorb.scr is packed from a copy whose
# file time is the release time (the commit's), since NSIS keeps it: the
# same commit gives the same installer. With a signer, the uninstaller is
# signed before it is packed, and the installer once it is made.
#   cmake -DMAKENSIS=... -DSCRIPT=... -DVERSION=... -DVERSION4=... -DARCH=...
#         -DPROGRAM=... -DOUTFILE=... -DPACKED_DIR=... -DEPOCH_FILE=...
#         -DCONFIGURED_PFX=... -DCONFIGURED_PASSWORD_FILE=... -P make_installer.cmake

cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/signing.cmake")

file(READ "${EPOCH_FILE}" epoch)
string(STRIP "${epoch}" epoch)
file(MAKE_DIRECTORY "${PACKED_DIR}")
set(packed "${PACKED_DIR}/Zoomorb.scr")
file(COPY_FILE "${PROGRAM}" "${packed}")
execute_process(COMMAND touch -d "@${epoch}" "${packed}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not give ${packed} the release time ${epoch}")
endif()

# makensis runs the signing command through the shell: each word quoted
# for it, and %1 stands for the file to sign.
function(shell_quote result word)
  string(REPLACE "'" "'\\''" word "${word}")
  set(${result} "'${word}'" PARENT_SCOPE)
endfunction()

set(defines)
zoomorb_signer(pfx password)
if(NOT pfx STREQUAL "")
  set(command)
  foreach(word "${CMAKE_COMMAND}" "-DCONFIGURED_PFX=${CONFIGURED_PFX}"
               "-DCONFIGURED_PASSWORD_FILE=${CONFIGURED_PASSWORD_FILE}" "-DFILE=%1"
               -P "${CMAKE_CURRENT_LIST_DIR}/sign.cmake")
    shell_quote(word "${word}")
    string(APPEND command " ${word}")
  endforeach()
  string(STRIP "${command}" command)
  list(APPEND defines "-DSIGN_COMMAND=${command}")
endif()

file(REMOVE "${OUTFILE}")
execute_process(
  COMMAND "${MAKENSIS}" -V2 -WX
    "-DVERSION=${VERSION}" "-DVERSION4=${VERSION4}" "-DARCH=${ARCH}"
    "-DPROGRAM=${packed}" "-DOUTFILE=${OUTFILE}" ${defines} "${SCRIPT}"
  RESULT_VARIABLE failed)
if(failed)
  file(REMOVE "${OUTFILE}")
  message(FATAL_ERROR "makensis could not make ${OUTFILE}")
endif()

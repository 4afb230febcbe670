# Makes the installer with makensis, packing Zoomorb.scr and Uninstall.exe
# from copies whose file time is the release time (the commit's), since
# NSIS keeps it: the same commit gives the same installer. With a signer,
# the installer is signed once it is made (the programs it packs are signed
# where they are built).
#   cmake -DMAKENSIS=... -DSCRIPT=... -DVERSION=... -DVERSION4=... -DARCH=...
#         -DPROGRAM=... -DUNINSTALLER=... -DOUTFILE=... -DPACKED_DIR=...
#         -DEPOCH_FILE=... -DCONFIGURED_PFX=... -DCONFIGURED_PASSWORD_FILE=...
#         -P make_installer.cmake

cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/signing.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/nsis.cmake")

file(READ "${EPOCH_FILE}" epoch)
string(STRIP "${epoch}" epoch)
file(MAKE_DIRECTORY "${PACKED_DIR}")

# A copy of the file to pack, with the release time.
function(copy_to_pack file result)
  get_filename_component(name "${file}" NAME)
  set(packed "${PACKED_DIR}/${name}")
  file(COPY_FILE "${file}" "${packed}")
  execute_process(COMMAND touch -d "@${epoch}" "${packed}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not give ${packed} the release time ${epoch}")
  endif()
  set(${result} "${packed}" PARENT_SCOPE)
endfunction()
copy_to_pack("${PROGRAM}" packed_program)
copy_to_pack("${UNINSTALLER}" packed_uninstaller)

# makensis runs the signing command through the shell; %1 stands for the
# file to sign.
set(defines)
zoomorb_signer(pfx password)
if(NOT pfx STREQUAL "")
  shell_command(command "${CMAKE_COMMAND}" "-DCONFIGURED_PFX=${CONFIGURED_PFX}"
    "-DCONFIGURED_PASSWORD_FILE=${CONFIGURED_PASSWORD_FILE}" "-DFILE=%1" -P "${CMAKE_CURRENT_LIST_DIR}/sign.cmake")
  list(APPEND defines "-DSIGN_COMMAND=${command}")
endif()

make_with_nsis("${SCRIPT}" "${OUTFILE}" "-DPROGRAM=${packed_program}" "-DUNINSTALLER=${packed_uninstaller}"
  ${defines})

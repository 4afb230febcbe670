# Makes the uninstall's working copy, the NSIS uninstaller that Uninstall.exe
# carries, from Uninstall.nsi: makensis makes it for an installer that is
# thrown away, and the copy kept is signed when the build has a signer.
#   cmake -DMAKENSIS=... -DSCRIPT=... -DVERSION=... -DVERSION4=... -DARCH=...
#         -DWORK=... -DCONFIGURED_PFX=... -DCONFIGURED_PASSWORD_FILE=...
#         -P make_uninstall_work.cmake

cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/nsis.cmake")

file(REMOVE "${WORK}")
shell_command(keep "${CMAKE_COMMAND}" -E copy %1 "${WORK}")
make_with_nsis("${SCRIPT}" "${WORK}.installer" "-DKEEP_UNINSTALLER=${keep}")
file(REMOVE "${WORK}.installer")
if(NOT EXISTS "${WORK}")
  message(FATAL_ERROR "makensis kept no uninstaller in ${WORK}")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" "-DFILE=${WORK}" "-DCONFIGURED_PFX=${CONFIGURED_PFX}"
    "-DCONFIGURED_PASSWORD_FILE=${CONFIGURED_PASSWORD_FILE}" -P "${CMAKE_CURRENT_LIST_DIR}/sign.cmake"
  RESULT_VARIABLE failed)
if(failed)
  file(REMOVE "${WORK}")
  message(FATAL_ERROR "Could not sign ${WORK}")
endif()

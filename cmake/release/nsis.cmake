# makensis for the release scripts, which include this: the commands it
# runs through the shell (signing, keeping a file), and the run itself with
# what every script needs: MAKENSIS, VERSION, VERSION4 and ARCH.

# A command line for the shell, each word quoted for it.
function(shell_command result)
  set(command)
  foreach(word ${ARGN})
    string(REPLACE "'" "'\\''" word "${word}")
    string(APPEND command " '${word}'")
  endforeach()
  string(STRIP "${command}" command)
  set(${result} "${command}" PARENT_SCOPE)
endfunction()

# make_with_nsis(SCRIPT OUTFILE [-DNAME=VALUE...])
function(make_with_nsis script outfile)
  file(REMOVE "${outfile}")
  execute_process(
    COMMAND "${MAKENSIS}" -V2 -WX
      "-DVERSION=${VERSION}" "-DVERSION4=${VERSION4}" "-DARCH=${ARCH}"
      "-DOUTFILE=${outfile}" ${ARGN} "${script}"
    RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE "${outfile}")
    message(FATAL_ERROR "makensis could not make ${outfile}")
  endif()
endfunction()

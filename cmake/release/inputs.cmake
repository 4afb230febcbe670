# Writes what the release files depend on besides the sources, each file
# only when its value changed: the time the installer gives the files it
# packs, and who signs (the certificate and its contents).
#   cmake -DSOURCE_DIR=... -DEPOCH_FILE=... -DSIGNER_FILE=...
#         -DCONFIGURED_PFX=... -DCONFIGURED_PASSWORD_FILE=... -P inputs.cmake

cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/signing.cmake")

function(write_if_changed path content)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${content}")
endfunction()

# SOURCE_DATE_EPOCH when the caller sets it; else the time of the commit the
# sources are, when they are a git work tree of their own; else the time of
# the top CMakeLists.txt, which an unpacked source archive keeps.
function(source_date_epoch result)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    find_program(GIT git)
    if(GIT)
      execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --show-toplevel
        OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
      if(NOT failed)
        file(REAL_PATH "${top}" top)
        file(REAL_PATH "${SOURCE_DIR}" source)
        if(top STREQUAL source)
          execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" log -1 --format=%ct
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        endif()
      endif()
    endif()
  endif()
  if(epoch STREQUAL "")
    file(TIMESTAMP "${SOURCE_DIR}/CMakeLists.txt" epoch "%s" UTC)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "The release time \"${epoch}\" is not a number of seconds (SOURCE_DATE_EPOCH?)")
  endif()
  set(${result} "${epoch}" PARENT_SCOPE)
endfunction()

source_date_epoch(epoch)
write_if_changed("${EPOCH_FILE}" "${epoch}\n")

zoomorb_signer(pfx password)
if(pfx STREQUAL "")
  write_if_changed("${SIGNER_FILE}" "unsigned\n")
else()
  file(SHA256 "${pfx}" certificate)
  write_if_changed("${SIGNER_FILE}" "${pfx}\n${certificate}\n")
endif()

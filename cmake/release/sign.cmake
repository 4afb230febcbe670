# Signs FILE in place (Authenticode, SHA-256) when the build has a signer,
# and leaves it as it is when it has none.
#   cmake -DFILE=... -DCONFIGURED_PFX=... -DCONFIGURED_PASSWORD_FILE=... -P sign.cmake

cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/signing.cmake")

zoomorb_signer(pfx password)
if(pfx STREQUAL "")
  return()
endif()
find_program(OSSLSIGNCODE osslsigncode)
if(NOT OSSLSIGNCODE)
  message(FATAL_ERROR "Signing needs osslsigncode (Debian's package osslsigncode); scripts/setup installs it")
endif()

# The password reaches osslsigncode in a private file, never on a command
# line that every user of the machine can read.
set(signed "${FILE}.signed")
set(password_file "${FILE}.password")
set(arguments sign -pkcs12 "${pfx}" -h sha256 -n Zoomorb -in "${FILE}" -out "${signed}")
if(NOT password STREQUAL "")
  zoomorb_write_private_file("${password_file}" "${password}")
  list(APPEND arguments -readpass "${password_file}")
endif()
file(REMOVE "${signed}")
execute_process(COMMAND "${OSSLSIGNCODE}" ${arguments} RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
file(REMOVE "${password_file}")
if(failed)
  file(REMOVE "${signed}")
  message(FATAL_ERROR "osslsigncode could not sign ${FILE} with ${pfx}:\n${said}")
endif()
file(RENAME "${signed}" "${FILE}")

# Who signs a build: the PKCS#12 certificate and its password named in the
# build's environment (ZOOMORB_SIGN_PFX, ZOOMORB_SIGN_PASSWORD), or else the
# ones given at configure time (CONFIGURED_PFX, and the password kept in
# CONFIGURED_PASSWORD_FILE). Without a certificate the build is unsigned.

# A path as the user meant it: relative to the folder the command was given in.
function(zoomorb_absolute_path result path)
  set(base "$ENV{PWD}")
  if(base STREQUAL "")
    set(base "${CMAKE_CURRENT_BINARY_DIR}")
  endif()
  get_filename_component(path "${path}" ABSOLUTE BASE_DIR "${base}")
  set(${result} "${path}" PARENT_SCOPE)
endfunction()

# A file only its owner can read, made so before the secret goes in.
function(zoomorb_write_private_file path content)
  get_filename_component(folder "${path}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(WRITE "${path}" "")
  file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE)
  file(WRITE "${path}" "${content}")
endfunction()

# Sets <pfx> to the certificate's absolute path ("" when unsigned) and
# <password> to its password. A password without a certificate, or a
# certificate that is not there, stops the build: a publisher who meant to
# sign must not get an unsigned release without a word.
function(zoomorb_signer pfx_result password_result)
  set(pfx "${CONFIGURED_PFX}")
  if(DEFINED ENV{ZOOMORB_SIGN_PFX})
    set(pfx "$ENV{ZOOMORB_SIGN_PFX}")
  endif()
  set(password "")
  if(DEFINED ENV{ZOOMORB_SIGN_PASSWORD})
    set(password "$ENV{ZOOMORB_SIGN_PASSWORD}")
  elseif(EXISTS "${CONFIGURED_PASSWORD_FILE}")
    file(READ "${CONFIGURED_PASSWORD_FILE}" password)
  endif()
  if(pfx STREQUAL "")
    if(NOT "$ENV{ZOOMORB_SIGN_PASSWORD}" STREQUAL "")
      message(FATAL_ERROR "ZOOMORB_SIGN_PASSWORD is set but ZOOMORB_SIGN_PFX is not: there is no certificate to sign with")
    endif()
    set(password "")
  else()
    zoomorb_absolute_path(pfx "${pfx}")
    if(NOT EXISTS "${pfx}" OR IS_DIRECTORY "${pfx}")
      message(FATAL_ERROR "ZOOMORB_SIGN_PFX names ${pfx}, which is not a file")
    endif()
  endif()
  set(${pfx_result} "${pfx}" PARENT_SCOPE)
  set(${password_result} "${password}" PARENT_SCOPE)
endfunction()

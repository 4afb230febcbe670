# What is published: the Windows installer of this build's Zoomorb.scr, made
# with NSIS (out/Zoomorb-<version>-x64-setup.exe from the 64-bit build,
# out/Zoomorb-<version>-x86-setup.exe from the 32-bit one), and
# out/SHA256SUMS beside them. The version is the project's own.
#
# With a code-signing certificate, ZOOMORB_SIGN_PFX (a PKCS#12 file) and
# ZOOMORB_SIGN_PASSWORD in the environment at configure or at build time
# (those given to a build win), the program, the uninstaller inside the
# installer (and the working copy inside that) and the installer are
# signed; without one everything is built unsigned.

find_program(MAKENSIS makensis REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZOOMORB_INSTALLER_ARCH x64)
else()
  set(ZOOMORB_INSTALLER_ARCH x86)
endif()
set(ZOOMORB_RELEASE "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
cmake_path(GET ZOOMORB_OUT_DIR PARENT_PATH ZOOMORB_INSTALLER_DIR)
set(ZOOMORB_INSTALLER "${ZOOMORB_INSTALLER_DIR}/Zoomorb-${ZOOMORB_RELEASE}-${ZOOMORB_INSTALLER_ARCH}-setup.exe")
set(release_scripts "${CMAKE_SOURCE_DIR}/cmake/release")
set(release_dir "${CMAKE_CURRENT_BINARY_DIR}/release")
include("${release_scripts}/signing.cmake")

# A signer given at configure time is kept for the builds that follow: the
# certificate's path in the cache, the password in a file of the build tree
# that only its owner may read (the cache is readable by everyone).
set(ZOOMORB_SIGN_PFX "" CACHE FILEPATH "PKCS#12 certificate that signs the program and the installers")
if(DEFINED ENV{ZOOMORB_SIGN_PFX})
  set(ZOOMORB_SIGN_PFX "$ENV{ZOOMORB_SIGN_PFX}" CACHE FILEPATH "" FORCE)
endif()
if(NOT ZOOMORB_SIGN_PFX STREQUAL "")
  zoomorb_absolute_path(ZOOMORB_SIGN_PFX "${ZOOMORB_SIGN_PFX}")
  set(ZOOMORB_SIGN_PFX "${ZOOMORB_SIGN_PFX}" CACHE FILEPATH "" FORCE)
endif()
set(ZOOMORB_SIGN_PASSWORD_FILE "${release_dir}/signing-password")
if(DEFINED CACHE{ZOOMORB_SIGN_PASSWORD})
  zoomorb_write_private_file("${ZOOMORB_SIGN_PASSWORD_FILE}" "${ZOOMORB_SIGN_PASSWORD}")
  unset(ZOOMORB_SIGN_PASSWORD CACHE)
elseif(DEFINED ENV{ZOOMORB_SIGN_PASSWORD})
  zoomorb_write_private_file("${ZOOMORB_SIGN_PASSWORD_FILE}" "$ENV{ZOOMORB_SIGN_PASSWORD}")
elseif(ZOOMORB_SIGN_PFX STREQUAL "")
  file(REMOVE "${ZOOMORB_SIGN_PASSWORD_FILE}")
endif()
set(signer_arguments
  "-DCONFIGURED_PFX=${ZOOMORB_SIGN_PFX}"
  "-DCONFIGURED_PASSWORD_FILE=${ZOOMORB_SIGN_PASSWORD_FILE}")

# Read at every build, each written only when it changes, so that what
# depends on them is remade exactly then: the time the installer gives the
# files it packs (the commit's) and who signs.
set(ZOOMORB_EPOCH_FILE "${release_dir}/source-date-epoch")
set(ZOOMORB_SIGNER_FILE "${release_dir}/signer")
add_custom_target(release_inputs
  COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${CMAKE_SOURCE_DIR}" "-DEPOCH_FILE=${ZOOMORB_EPOCH_FILE}"
    "-DSIGNER_FILE=${ZOOMORB_SIGNER_FILE}" ${signer_arguments} -P "${release_scripts}/inputs.cmake"
  BYPRODUCTS "${ZOOMORB_EPOCH_FILE}" "${ZOOMORB_SIGNER_FILE}"
  VERBATIM)

# The program is signed where it is linked, so every copy of it (the one the
# installer packs, the one the tests run) is the published one. Another
# signer links it anew.
add_dependencies(zoomorb release_inputs)
set_property(TARGET zoomorb APPEND PROPERTY LINK_DEPENDS "${ZOOMORB_SIGNER_FILE}")
add_custom_command(TARGET zoomorb POST_BUILD
  COMMAND "${CMAKE_COMMAND}" "-DFILE=$<TARGET_FILE:zoomorb>" ${signer_arguments} -P "${release_scripts}/sign.cmake"
  VERBATIM)

file(GLOB_RECURSE ZOOMORB_INSTALLER_SCRIPTS CONFIGURE_DEPENDS installer/*.nsi installer/*.nsh)
set(ZOOMORB_SIGNING_SCRIPTS "${release_scripts}/sign.cmake" "${release_scripts}/signing.cmake")

# The uninstall's working copy, an NSIS uninstaller, which Uninstall.exe
# carries: it runs the copy from a temporary folder and waits for it.
set(ZOOMORB_UNINSTALL_WORK "${release_dir}/uninstall-work.exe")
add_custom_command(
  OUTPUT "${ZOOMORB_UNINSTALL_WORK}"
  COMMAND "${CMAKE_COMMAND}"
    "-DMAKENSIS=${MAKENSIS}"
    "-DSCRIPT=${CMAKE_SOURCE_DIR}/installer/Uninstall.nsi"
    "-DVERSION=${ZOOMORB_RELEASE}"
    "-DVERSION4=${PROJECT_VERSION}"
    "-DARCH=${ZOOMORB_INSTALLER_ARCH}"
    "-DWORK=${ZOOMORB_UNINSTALL_WORK}"
    ${signer_arguments}
    -P "${release_scripts}/make_uninstall_work.cmake"
  DEPENDS ${ZOOMORB_INSTALLER_SCRIPTS} "${CMAKE_SOURCE_DIR}/src/resources/zoomorb.ico" "${ZOOMORB_SIGNER_FILE}"
    "${release_scripts}/make_uninstall_work.cmake" "${release_scripts}/nsis.cmake" ${ZOOMORB_SIGNING_SCRIPTS}
  COMMENT "Making the uninstall's working copy"
  VERBATIM)
add_executable(uninstaller WIN32 installer/uninstaller/uninstaller.cpp installer/uninstaller/uninstaller.rc)
set_target_properties(uninstaller PROPERTIES OUTPUT_NAME Uninstall RUNTIME_OUTPUT_DIRECTORY "${release_dir}")
# The resource script finds the working copy in the release folder.
target_include_directories(uninstaller PRIVATE src "${release_dir}")
target_compile_definitions(uninstaller PRIVATE ${ZOOMORB_WIN_DEFINES})
target_compile_options(uninstaller PRIVATE -Wall -Wextra)
target_link_options(uninstaller PRIVATE -municode -s)
set_source_files_properties(installer/uninstaller/uninstaller.rc PROPERTIES OBJECT_DEPENDS
  "${ZOOMORB_UNINSTALL_WORK};${CMAKE_SOURCE_DIR}/installer/uninstaller/uninstaller.manifest;${CMAKE_SOURCE_DIR}/src/resources/zoomorb.ico")
add_dependencies(uninstaller release_inputs)
set_property(TARGET uninstaller APPEND PROPERTY LINK_DEPENDS "${ZOOMORB_SIGNER_FILE}")
add_custom_command(TARGET uninstaller POST_BUILD
  COMMAND "${CMAKE_COMMAND}" "-DFILE=$<TARGET_FILE:uninstaller>" ${signer_arguments} -P "${release_scripts}/sign.cmake"
  VERBATIM)

add_custom_command(
  OUTPUT "${ZOOMORB_INSTALLER}"
  COMMAND "${CMAKE_COMMAND}"
    "-DMAKENSIS=${MAKENSIS}"
    "-DSCRIPT=${CMAKE_SOURCE_DIR}/installer/Zoomorb.nsi"
    "-DVERSION=${ZOOMORB_RELEASE}"
    "-DVERSION4=${PROJECT_VERSION}"
    "-DARCH=${ZOOMORB_INSTALLER_ARCH}"
    "-DPROGRAM=$<TARGET_FILE:zoomorb>"
    "-DUNINSTALLER=$<TARGET_FILE:uninstaller>"
    "-DOUTFILE=${ZOOMORB_INSTALLER}"
    "-DPACKED_DIR=${release_dir}/packed"
    "-DEPOCH_FILE=${ZOOMORB_EPOCH_FILE}"
    ${signer_arguments}
    -P "${release_scripts}/make_installer.cmake"
  DEPENDS zoomorb uninstaller ${ZOOMORB_INSTALLER_SCRIPTS} "${CMAKE_SOURCE_DIR}/src/resources/zoomorb.ico"
    "${ZOOMORB_EPOCH_FILE}" "${ZOOMORB_SIGNER_FILE}" "${release_scripts}/make_installer.cmake"
    "${release_scripts}/nsis.cmake" ${ZOOMORB_SIGNING_SCRIPTS}
  COMMENT "Making the installer ${ZOOMORB_INSTALLER}"
  VERBATIM)
add_custom_target(installer ALL
  COMMAND "${CMAKE_COMMAND}" "-DDIR=${ZOOMORB_INSTALLER_DIR}" "-DRELEASE=${ZOOMORB_RELEASE}"
    "-DARCH=${ZOOMORB_INSTALLER_ARCH}" -P "${release_scripts}/checksums.cmake"
  DEPENDS "${ZOOMORB_INSTALLER}"
  COMMENT "Writing ${ZOOMORB_INSTALLER_DIR}/SHA256SUMS"
  VERBATIM)

# The release's promises, shown by building anew from the 64-bit preset:
# two fresh clones of the commit give the same bytes, unsigned, and a
# certificate signs each published file.
if(ZOOMORB_INSTALLER_ARCH STREQUAL x64)
  foreach(test reproducible signed)
    add_test(NAME release_${test} COMMAND "${CMAKE_SOURCE_DIR}/tests/release/${test}.sh" "${CMAKE_SOURCE_DIR}")
    set_tests_properties(release_${test} PROPERTIES LABELS release TIMEOUT 1800 RUN_SERIAL TRUE)
  endforeach()
endif()

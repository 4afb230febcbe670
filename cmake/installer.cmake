# The Windows installer of this build's Zoomorb.scr, made with NSIS:
# out/Zoomorb-<version>-x64-setup.exe from the 64-bit build and
# out/Zoomorb-<version>-x86-setup.exe from the 32-bit one. The version is the
# project's own.

find_program(MAKENSIS makensis REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZOOMORB_INSTALLER_ARCH x64)
else()
  set(ZOOMORB_INSTALLER_ARCH x86)
endif()
set(ZOOMORB_RELEASE "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
cmake_path(GET ZOOMORB_OUT_DIR PARENT_PATH ZOOMORB_INSTALLER_DIR)
set(ZOOMORB_INSTALLER "${ZOOMORB_INSTALLER_DIR}/Zoomorb-${ZOOMORB_RELEASE}-${ZOOMORB_INSTALLER_ARCH}-setup.exe")

file(GLOB_RECURSE ZOOMORB_INSTALLER_SCRIPTS CONFIGURE_DEPENDS installer/*.nsi installer/*.nsh)
add_custom_command(
  OUTPUT "${ZOOMORB_INSTALLER}"
  COMMAND "${MAKENSIS}" -V2 -WX
    "-DVERSION=${ZOOMORB_RELEASE}"
    "-DVERSION4=${PROJECT_VERSION}"
    "-DARCH=${ZOOMORB_INSTALLER_ARCH}"
    "-DPROGRAM=$<TARGET_FILE:zoomorb>"
    "-DOUTFILE=${ZOOMORB_INSTALLER}"
    "${CMAKE_SOURCE_DIR}/installer/Zoomorb.nsi"
  DEPENDS zoomorb ${ZOOMORB_INSTALLER_SCRIPTS} "${CMAKE_SOURCE_DIR}/src/resources/zoomorb.ico"
  COMMENT "Making the installer ${ZOOMORB_INSTALLER}"
  VERBATIM)
add_custom_target(installer ALL DEPENDS "${ZOOMORB_INSTALLER}")

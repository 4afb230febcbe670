# Writes DIR/SHA256SUMS for the release files found there: this version's
# installers and the programs in DIR's folders (win32/, win64/), sorted by
# name, so that `sha256sum -c SHA256SUMS` in DIR checks them. The 32-bit
# and the 64-bit build each rewrite it, so it lists what both left.
#   cmake -DDIR=... -DRELEASE=... -DARCH=... -P checksums.cmake

cmake_minimum_required(VERSION 3.25)
file(GLOB installers RELATIVE "${DIR}" "${DIR}/Zoomorb-${RELEASE}-*-setup.exe")
file(GLOB programs RELATIVE "${DIR}" "${DIR}/*/Zoomorb.scr")
set(files ${installers} ${programs})
list(SORT files)
set(sums "")
foreach(name IN LISTS files)
  file(SHA256 "${DIR}/${name}" hash)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
# Written whole or not at all, even when the other build writes it too.
file(WRITE "${DIR}/SHA256SUMS.${ARCH}.partial" "${sums}")
file(RENAME "${DIR}/SHA256SUMS.${ARCH}.partial" "${DIR}/SHA256SUMS")

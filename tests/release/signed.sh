#!/usr/bin/env bash
# Given a code-signing certificate at configure time, the build signs the
# 64-bit Zoomorb.scr, the uninstaller inside the installer, the working
# copy inside that, and the installer, each verifiably with that certificate, and keeps the
# certificate's password out of the CMake cache. The certificate is a
# throwaway one, made here.
#   signed.sh SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/release_files.sh"
source_dir=$1

work=$(mktemp -d "${TMPDIR:-/tmp}/zoomorb-signed.XXXXXX")
trap 'rm -rf "$work"' EXIT
password=$(openssl rand -hex 12)
export password
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zoomorb test signer" \
  -addext extendedKeyUsage=codeSigning -addext keyUsage=critical,digitalSignature \
  -keyout "$work/key.pem" -out "$work/certificate.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/signer.pfx" -passout env:password

unset SOURCE_DATE_EPOCH ZOOMORB_SIGN_PFX ZOOMORB_SIGN_PASSWORD
ZOOMORB_SIGN_PFX="$work/signer.pfx" ZOOMORB_SIGN_PASSWORD="$password" configure_release "$source_dir" "$work" &&
  build_release "$work/build" || { echo "The signed build failed"; exit 1; }

failed=0
if grep -qF "$password" "$work/build/CMakeCache.txt"; then
  echo "The certificate's password is in the CMake cache"
  failed=1
fi
extract_uninstaller "$work"/out/Zoomorb-*-x64-setup.exe "$work/Uninstall.exe"
extract_uninstall_work "$work/Uninstall.exe" "$work/uninstall-work.exe"
for file in "$work/out/win64/Zoomorb.scr" "$work/Uninstall.exe" "$work/uninstall-work.exe" \
  "$work"/out/Zoomorb-*-x64-setup.exe; do
  if ! said=$(osslsigncode verify -CAfile "$work/certificate.pem" -in "$file" 2>&1); then
    echo "$(basename "$file") has no signature that verifies against the build's certificate:"
    echo "$said"
    failed=1
  fi
done
(cd "$work/out" && sha256sum --quiet -c SHA256SUMS) || { echo "SHA256SUMS does not check the signed files"; failed=1; }
[ "$failed" -eq 0 ] && echo "The program, the uninstaller, its working copy and the installer are signed with the build's certificate."
exit "$failed"

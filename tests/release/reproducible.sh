#!/usr/bin/env bash
# The commit at HEAD, built from two fresh clones at two different paths,
# gives the same bytes: the 64-bit Zoomorb.scr, the installer and so the
# SHA256SUMS beside them, which checks with sha256sum. Built without a
# certificate, nothing is signed. Uncommitted changes are not part of the
# commit and so not of this test.
#   reproducible.sh SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/release_files.sh"
source_dir=$1
unset ZOOMORB_SIGN_PFX ZOOMORB_SIGN_PASSWORD SOURCE_DATE_EPOCH
commit=$(git -C "$source_dir" rev-parse HEAD)
if [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
  echo "The work tree has uncommitted changes: this builds the commit $commit without them."
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zoomorb-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
clones=("$work/one" "$work/another place/zoomorb sources")
for clone in "${clones[@]}"; do
  mkdir -p "$clone"
  git init -q "$clone"
  git -C "$clone" fetch -q --depth 1 "$source_dir" "$commit"
  git -C "$clone" checkout -q --detach FETCH_HEAD
  { configure_release "$clone" && build_release "$clone/out/build/win64"; } ||
    { echo "The build in $clone failed"; exit 1; }
done

failed=0
for file in win64/Zoomorb.scr Zoomorb-*-x64-setup.exe SHA256SUMS; do
  first=$(cd "${clones[0]}/out" && ls $file)
  if ! cmp "${clones[0]}/out/$first" "${clones[1]}/out/$first"; then
    echo "$first differs between two builds of $commit"
    failed=1
  fi
done
for clone in "${clones[@]}"; do
  (cd "$clone/out" && sha256sum --quiet -c SHA256SUMS) || { echo "$clone/out/SHA256SUMS does not check"; failed=1; }
done
out="${clones[0]}/out"
extract_uninstaller "$out"/Zoomorb-*-x64-setup.exe "$work/Uninstall.exe"
extract_uninstall_work "$work/Uninstall.exe" "$work/uninstall-work.exe"
for file in "$out/win64/Zoomorb.scr" "$out"/Zoomorb-*-x64-setup.exe "$work/Uninstall.exe" "$work/uninstall-work.exe"; do
  if has_signature "$file"; then
    echo "$(basename "$file") is signed, though the build was given no certificate"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "Two builds of $commit at two paths are byte for byte the same, and unsigned."
exit "$failed"

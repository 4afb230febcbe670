# Sourced by the release tests: builds what is published (the 64-bit program
# and installer, nothing else) and looks inside it.

# Configures the sources $1 with the win64 preset: in their own out/, or
# given a folder $2, with the build tree in $2/build and what is published
# in $2/out.
configure_release() {
  (cd "$1" && cmake --preset win64 ${2:+-B "$2/build" -DZOOMORB_OUT_DIR="$2/out/win64"} >/dev/null)
}

# Builds the installer and what it packs in the build tree $1, nothing else.
build_release() {
  cmake --build "$1" -j2 --target installer >/dev/null
}

# Writes the file $3 inside the archive $2 (of 7-Zip's type $1) to the file $4.
extract_file() {
  local folder
  folder=$(mktemp -d)
  7zz e -y -t"$1" -o"$folder" "$2" "$3" >/dev/null && mv "$folder/$(basename "$3")" "$4"
  local status=$?
  rm -rf "$folder"
  return $status
}

# Writes the uninstaller packed inside the installer $1 to the file $2.
extract_uninstaller() { extract_file Nsis "$1" Uninstall.exe "$2"; }

# Writes the uninstall's working copy, which the uninstaller $1 carries as a
# resource, to the file $2.
extract_uninstall_work() { extract_file PE "$1" .rsrc/RCDATA/1 "$2"; }

# Whether the PE file $1 carries a certificate table at all.
has_signature() {
  local headers
  headers=$(x86_64-w64-mingw32-objdump -p "$1") || { echo "objdump cannot read $1" >&2; exit 1; }
  ! grep -Eq '^Entry 4 0+ 0+ Security Directory' <<<"$headers"
}

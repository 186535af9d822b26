# Installs the Debian packages named that are not installed yet; sourced by the scripts that
# need packages. As root, or through sudo where it needs no password; else it says what to
# install and stops.
install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
  if [ ${#sudo[@]} -eq 0 ] || { command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; }; then
    echo "Installing: ${missing[*]}"
    echo "Reading the package lists..."
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # One line per package fetched, unpacked and set up, so a long installation shows it is
    # moving.
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
      "${missing[@]}" | sed -un 's/^\(Get:[0-9]*\|Unpacking\|Setting up\) /  \1 /p'
  else
    echo "Please install these Debian packages first (as root):" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
}

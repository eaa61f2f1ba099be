#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run.
# Idempotent: installs only what is missing. Needs root when something is missing.
#
#   scripts/install-deps.sh            the packages for building, testing and running
#   scripts/install-deps.sh library    those and npm, which fetches the poetry package
#                                      for the full library (make library)
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-image-formats-plugins libgl-dev
  libsqlcipher-dev sqlcipher libssl-dev
  libespeak-ng-dev espeak-ng libpulse-dev
  libgtest-dev
  nlohmann-json3-dev libopencc-dev opencc
  fonts-noto-cjk fonts-arphic-ukai fonts-hanazono
  xvfb xauth xdotool imagemagick x11-utils sox
  clang libclang-rt-14-dev llvm
  openbox qt6-translations-l10n libxcb1-dev
  desktop-file-utils appstream poppler-utils
  # The screen readers' view of the program
  at-spi2-core python3-pyatspi dbus-daemon
  dpkg-dev file
  # A Wayland session for the end-to-end runs (with Qt's Wayland plugin, which
  # the program must pass over there)
  weston xwayland qt6-wayland
)

case "${1:-}" in
  "") ;;
  library) PACKAGES+=(npm) ;;
  *) echo "usage: $0 [library]" >&2; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Run 'sudo $0' (or install them with apt-get) and try again." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"

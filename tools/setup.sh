# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by ./run, ./test and ./package: install what is missing, configure, build.
# Sourced, not run.

# ccache sees paths relative to the checkout, so a fresh clone elsewhere (CI)
# finds what an earlier build of the same sources compiled.
export CCACHE_BASEDIR="$RADIOPROG_ROOT"
export CCACHE_NOHASHDIR=1

RADIOPROG_PACKAGES=(
  cmake g++ make ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  libgl-dev
  xvfb xauth poppler-utils imagemagick
  fonts-liberation fonts-wqy-microhei
  clang libclang-rt-14-dev
  groff-base desktop-file-utils appstream bash-completion
  dbus at-spi2-core python3-pyatspi
  # Printing: libcups for the job's outcome, a private cupsd for the printing test.
  libcups2-dev cups-daemon cups-client
)

# What ./package needs besides: dpkg-shlibdeps for Depends, file for CPack, lintian
# for the package check.
RADIOPROG_PACKAGING_PACKAGES=(
  dpkg-dev file
  lintian
)

radioprog_install_packages() {
  local missing=()
  for p in "${RADIOPROG_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# radioprog_build DIR [cmake options...]
radioprog_build() {
  local dir=$1; shift
  cmake -S "$RADIOPROG_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j2
}

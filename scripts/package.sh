#!/usr/bin/env bash
# Makes the three packages with CPack (the package target of each build):
#   build/windows/packages/  Tassefiche-<version>-win64.zip and Tassefiche-<version>-win64.msi
#   build/deb/packages/      tassefiche-tools_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target package

# The tools of the Debian package are built with the hardening flags of Debian's own packages.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake --preset deb >/dev/null \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build --preset deb -j 2 --target package

ls -l build/windows/packages/*.zip build/windows/packages/*.msi build/deb/packages/*.deb

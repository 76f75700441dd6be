#!/usr/bin/env bash
# Builds the Debian package dist/kelvara-lens-utility_<version>_<arch>.deb from a clean copy
# of the sources (nothing of build/ is reused), then fails on any lintian error.
# DEB_BUILD_OPTIONS passes through; by default the suite, which scripts/test.sh already
# runs, is not run again inside the package build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh

tools=(debhelper dpkg-dev fakeroot lintian)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

version=$(dpkg-parsechangelog -S Version)
project=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ "$version" != "$project" ]; then
  echo "package.sh: debian/changelog says $version, CMakeLists.txt says $project" >&2
  exit 1
fi

# A fixed place, so that the compiler cache recognises the next build.
work="$PWD/dist/.build"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
src="$work/kelvara-lens-utility-$version"
mkdir "$src"
# The files git knows (and new ones it does not ignore); without git, all but the builds.
if git rev-parse --git-dir >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude=./build --exclude=./dist -cf - . | tar -xf - -C "$src"
fi

# debhelper gives the build a HOME of its own; the compiler cache stays where it is.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
  CCACHE_DIR=$(ccache -k cache_dir)
  export CCACHE_DIR CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1
fi
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-nocheck parallel=$(nproc)}"
(cd "$src" && dpkg-buildpackage -us -uc -b)

arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="kelvara-lens-utility_${version}_${arch}.deb"
mv "$work/$deb" dist/
echo "== lintian dist/$deb"
lintian --fail-on error --info "dist/$deb"

# The Debian packages each job of the project needs, and the one function that installs the
# missing ones. Sourced by ./quickstart and .ci/run; never run on its own.
#
#   tj20_require <why> <package>...   installs what is missing (with sudo when not root),
#                                     saying what and why, or stops with one line saying
#                                     what to install by hand.

# Building the modules and the reference host, and flying the demo; Cairo, its pkg-config file
# and the DejaVu fonts draw the modules' artwork and the host's pictures; Boost (Beast and Asio,
# header-only) serves the panel's web page; nlohmann's JSON library writes the trace's JSON
# lines and the page's messages.
TJ20_PACKAGES_DEMO=(cmake ninja-build g++ pkg-config libcairo2-dev fonts-dejavu-core libboost-dev nlohmann-json3-dev)
# Running the tests: the test framework, the benchmark library, and valgrind, whose callgrind
# counts the panel cycle's instructions against the committed baseline.
TJ20_PACKAGES_TEST=("${TJ20_PACKAGES_DEMO[@]}" libgtest-dev libbenchmark-dev valgrind)
# The browser tests of the panel's web page: headless Chromium driven through its WebDriver by
# a Python script of the project (standard library only).
TJ20_PACKAGES_BROWSER=("${TJ20_PACKAGES_TEST[@]}" python3 chromium chromium-driver)
# The 32-bit Windows modules (their artwork is drawn by a native build of the same sources).
TJ20_PACKAGES_WINDOWS=("${TJ20_PACKAGES_DEMO[@]}" g++-mingw-w64-i686 binutils-mingw-w64-i686)
# The Windows host and modules run under Wine (its 32-bit part needs the i386 architecture).
TJ20_PACKAGES_WINE=("${TJ20_PACKAGES_WINDOWS[@]}" wine wine32:i386)
# The fuzz targets: clang and its sanitizer and libFuzzer runtimes.
TJ20_PACKAGES_FUZZ=("${TJ20_PACKAGES_DEMO[@]}" clang-14 libclang-rt-14-dev)

tj20_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

tj20_by_hand() {
  echo "error: $1; install by hand: $2" >&2
  exit 1
}

tj20_require() {
  local why=$1
  shift
  if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    # Not a Debian system: say what is needed and leave the system alone.
    tj20_by_hand "this script installs packages only on Debian (no apt-get here)" "$*"
  fi
  local missing=() p
  for p in "$@"; do
    tj20_installed "$p" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0

  local sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null 2>&1 || tj20_by_hand "not root and no sudo to install packages" "${missing[*]}"
    sudo_cmd=(sudo)
  fi
  echo "installing ${missing[*]} ($why)"
  # A package of another architecture (wine32:i386) needs that architecture added first.
  local arch
  for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*:\(.*\)$/\1/p' | sort -u); do
    [[ $arch == "$(dpkg --print-architecture)" ]] && continue
    dpkg --print-foreign-architectures | grep -qx "$arch" ||
      "${sudo_cmd[@]}" dpkg --add-architecture "$arch" ||
      tj20_by_hand "the $arch architecture could not be added" "${missing[*]}"
  done
  export DEBIAN_FRONTEND=noninteractive
  # apt-get update exits 0 even when no archive answers; its warnings say so.
  local log
  log=$("${sudo_cmd[@]}" apt-get update -qq 2>&1) ||
    tj20_by_hand "the package lists could not be updated (${log##*$'\n'})" "${missing[*]}"
  if grep -qE '^(W|E): (Failed to fetch|Some index files failed)' <<<"$log"; then
    tj20_by_hand "the package archive cannot be reached" "${missing[*]}"
  fi
  if ! log=$("${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" 2>&1); then
    tj20_by_hand "apt-get could not install them (${log##*$'\n'})" "${missing[*]}"
  fi
  for p in "${missing[@]}"; do
    tj20_installed "$p" || tj20_by_hand "$p is still not installed after apt-get" "${missing[*]}"
  done
}

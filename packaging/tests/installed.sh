# Sourced by the install tests: installs the build folder $1 into a scratch
# prefix ($tmp/prefix, removed on exit) and gives them `fail`.
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null

# Installs the Debian packages that building, testing and playing need.
# Sourced by the other scripts; installs only what is missing.
velmor_install_packages() {
    local wanted=("$@") missing=() package
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "velmor: installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What every build needs (the tests are configured with every build).
VELMOR_BUILD_PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-private-dev libxkbcommon-dev libgl-dev libxcb-damage0-dev fonts-liberation2
    googletest libgtest-dev libstb-dev
)
# What the test suite needs on top.
VELMOR_TEST_PACKAGES=(
    clang libclang-rt-dev clang-format
    libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils
    qt6-wayland libwayland-dev sway
    desktop-file-utils appstream dpkg-dev file
    lintian man-db groff-base mandoc
)

# Shared by scripts/run, scripts/test and scripts/bench: installs what the build needs and builds.
# Sourced, not run.

# Debian packages every build needs. qt6-base-dev brings Qt Test and the OpenGL headers that Qt's
# CMake files look for; the two font packages give the window its intended fonts.
WHOOPLINE_PACKAGES=(cmake make g++ qt6-base-dev libpng-dev fonts-liberation fonts-wine)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages PACKAGE...: installs those that are missing, and nothing when all are there.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installing ${missing[*]} ..."
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# build_preset NAME [TARGET...]: configures (first time only) and builds incrementally with a
# preset of CMakePresets.json ("default" builds in build/, "sanitize" in build-sanitize/): the
# targets given, or all of them.
build_preset() {
    local preset=$1 dir=build
    shift
    [ "$preset" = default ] || dir="build-$preset"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake --preset "$preset"
    fi
    local targets=()
    [ "$#" -eq 0 ] || targets=(--target "$@")
    cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}"
}

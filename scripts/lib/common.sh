# Shared by scripts/test and scripts/run.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_root=${DV_BUILD_ROOT:-$root/build}

# Configures one preset into $build_root/<preset>. Configuring builds and
# installs nothing, so the Windows presets first build the libraries they
# link (a no-op once they are cached).
configure_preset() {
  local preset=$1
  case $preset in
    win*) build_dependencies || return 1 ;;
  esac
  cmake --preset "$preset" -S "$root" -B "$build_root/$preset" >"$build_root/$preset.configure.log" 2>&1 ||
    { cat "$build_root/$preset.configure.log"; return 1; }
}

# Configures and builds one preset into $build_root/<preset>.
build_preset() {
  configure_preset "$1" && cmake --build "$build_root/$1" --parallel "$(nproc)"
}

# Builds the third-party libraries the Windows builds link, when a setup
# step for them exists and they are not cached yet. The Windows configure
# stops with this same command when they are missing.
build_dependencies() {
  local step
  for step in "$root"/scripts/deps/*.sh; do
    [ -e "$step" ] || continue
    bash "$step" "$build_root" || return 1
  done
}

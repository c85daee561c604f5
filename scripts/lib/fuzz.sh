# The bounded fuzz run of scripts/test: the libFuzzer targets built with
# clang and run for a short time each on their committed seeds.
run_fuzz() {
  local dir=$build_root/fuzz seconds=${DV_FUZZ_SECONDS:-20}
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" --target gif_fuzz gif_lzw_fuzz >"$dir.build.log" 2>&1 || { tail -30 "$dir.build.log"; return 1; }
  local target corpus work
  for target in gif_fuzz:corpus gif_lzw_fuzz:lzw_corpus; do
    corpus=$root/tests/fuzz/gif/${target#*:}
    work=$dir/work-${target%%:*}
    rm -rf "$work" && mkdir -p "$work"
    "$dir/bin/${target%%:*}" -max_total_time="$seconds" -rss_limit_mb=1024 -print_final_stats=1 "$work" "$corpus" \
      >"$dir/${target%%:*}.log" 2>&1 || { tail -30 "$dir/${target%%:*}.log"; return 1; }
    echo "fuzz ${target%%:*}: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/${target%%:*}.log" | grep -o '[0-9]*$') runs in ${seconds} s, no findings"
  done
}

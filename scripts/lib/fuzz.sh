# The bounded fuzz run of scripts/test: the libFuzzer targets built with
# clang and run for a short time each on their committed seeds.
run_fuzz() {
  local dir=$build_root/fuzz seconds=${DV_FUZZ_SECONDS:-10} jpeg_seconds=${DV_FUZZ_JPEG_SECONDS:-30}
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" --target gif_fuzz gif_lzw_fuzz gif_compose_fuzz jpeg_fuzz >"$dir.build.log" 2>&1 || { tail -30 "$dir.build.log"; return 1; }
  # target:seed folder:seconds. A crash, a leak, an input that runs longer
  # than -timeout or a process above -rss_limit_mb ends the run non-zero.
  local entry target corpus time work log
  for entry in gif_fuzz:gif/corpus:$seconds gif_lzw_fuzz:gif/lzw_corpus:$seconds gif_compose_fuzz:gif/compose_corpus:$seconds jpeg_fuzz:jpeg/corpus:$jpeg_seconds; do
    IFS=: read -r target corpus time <<<"$entry"
    work=$dir/work-$target
    log=$dir/$target.log
    rm -rf "$work" && mkdir -p "$work"
    "$dir/bin/$target" -max_total_time="$time" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/$target-" "$work" "$root/tests/fuzz/$corpus" >"$log" 2>&1 || { tail -30 "$log"; return 1; }
    echo "fuzz $target: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs in $time s, no findings"
  done
}

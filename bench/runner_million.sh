#!/usr/bin/env bash
# Times the program's commands on a large catalogue through the scenario
# runner, the way a person meets them: each command's scenario runs RUNS times
# in a fresh start of build/cinetrove-script, and the median wall time of the
# start-only scenario is taken off, so what is left is the command itself
# (with the freeing of its rows at exit). "open" is the start-only scenario on
# the large catalogue less the same on an empty one.
#
#   bench/runner_million.sh [BUILD_DIR] [WORK_DIR] [FILMS] [RUNS]
#
# Both archive orders are measured: descending, as Save writes it, and random,
# as an archive written elsewhere may be. Peak memory is the largest resident
# set of the process (/usr/bin/time), divided by the seen archive's size.
# Save rewrites its archive, so each Save run starts from a fresh copy.
# Beside each wall time stands the processor time (user and system) worked
# out the same way: on a machine shared with others it moves much less.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
work=${2:-/tmp/cinetrove-million}
films=${3:-1000000}
runs=${4:-3}
build=$(cd "$build" && pwd)
runner=$build/cinetrove-script
maker=$build/bench/bench_make_archive

mkdir -p "$work"
work=$(cd "$work" && pwd)

# catalogue NAME SEEN_FILMS TOSEE_FILMS ORDER
catalogue() {
    local dir=$work/$1
    if [[ ! -f $dir/.ready ]]; then
        rm -rf "$dir"
        mkdir -p "$dir/data/comments/filme" "$dir/data/comments/tosee"
        "$maker" "$2" "$4" "$dir/data/filme.cta" seen 1
        "$maker" "$3" "$4" "$dir/data/tosee.cta" tosee 2
        touch "$dir/.ready"
    fi
}

write_scenarios() {
    local s=$work/scenarios
    mkdir -p "$s"
    : > "$s/open.scn"
    printf 'click 2000\n' > "$s/show.scn"
    printf 'click 2002\n' > "$s/tosee.scn"
    printf 'click 2003\nclick 1013\nok\n' > "$s/top_rating.scn"
    printf 'click 2003\nclick 1014\nok\n' > "$s/top_viewings.scn"
    # Case-blind, every field, the seen list: nearly every film has an "a".
    printf 'click 2004\n' > "$s/search.scn"
    for id in 1016 1017 1018 1019 1020 1021 1022 1031 1025 1014; do printf 'click %s\n' $id >> "$s/search.scn"; done
    printf 'set 1024 a\nok\nok\n' >> "$s/search.scn"
    printf 'click 2012\n' > "$s/reopen.scn"
    printf 'click 2009\n' > "$s/save.scn"
    printf 'click 2000\nclick 2001\n' > "$s/show_clear.scn"
    printf 'click 2000\nclick 2003\nclick 1013\nok\n' > "$s/show_top.scn"
}

# run DIR SCENARIO -> "seconds cpu_seconds kilobytes"; fails loudly when the
# runner does.
run() {
    local dir=$1 scn=$2 out=$work/last.out tm=$work/last.time
    (
        cd "$dir"
        local t0=$EPOCHREALTIME
        /usr/bin/time -f '%U %S %M' -o "$tm" "$runner" "$scn" > "$out" 2> "$work/last.err" || {
            echo "runner failed on $scn in $dir" >&2; cat "$work/last.err" >&2; exit 1; }
        local t1=$EPOCHREALTIME
        awk -v a="$t0" -v b="$t1" '{ printf "%.3f %.2f %s\n", b - a, $1 + $2, $3 }' "$tm"
    )
}

# median of RUNS runs: prints "seconds cpu_seconds peak_kilobytes" (the
# medians of both times, the largest peak)
measure() {
    local dir=$1 scn=$2 walls=() cpus=() peak=0 line w c m
    for ((i = 0; i < runs; i++)); do
        if [[ $scn == */save.scn ]]; then
            cp "$dir/data/filme.cta.orig" "$dir/data/filme.cta"
            cp "$dir/data/tosee.cta.orig" "$dir/data/tosee.cta"
        fi
        line=$(run "$dir" "$scn")
        read -r w c m <<< "$line"
        walls+=("$w"); cpus+=("$c")
        ((m > peak)) && peak=$m
    done
    if [[ $scn == */save.scn ]]; then  # the next measurements read the file as it was
        cp "$dir/data/filme.cta.orig" "$dir/data/filme.cta"
        cp "$dir/data/tosee.cta.orig" "$dir/data/tosee.cta"
        rm -f "$dir/data/filme.cta~" "$dir/data/tosee.cta~"
    fi
    local wall cpu
    wall=$(printf '%s\n' "${walls[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
    cpu=$(printf '%s\n' "${cpus[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
    echo "$wall $cpu $peak"
}

# "wall s (cpu s)" of measurement A less measurement B
sub() {
    local aw ac am bw bc bm
    read -r aw ac am <<< "$1"
    read -r bw bc bm <<< "$2"
    awk -v a="$aw" -v b="$bw" -v c="$ac" -v d="$bc" 'BEGIN { printf "%5.2f s (cpu %5.2f s)", a - b, c - d }'
}
peak_of() { echo "${1##* }"; }

write_scenarios
catalogue empty 0 0 descending
empty_open=$(measure "$work/empty" "$work/scenarios/open.scn")
echo "empty catalogue: start and end $(echo "$empty_open" | cut -d' ' -f1) s, peak $(( $(peak_of "$empty_open") / 1024 )) MiB"

for order in descending random; do
    catalogue "$order" "$films" 0 "$order"
    catalogue "$order-tosee" 0 "$films" "$order"
    dir=$work/$order
    # Save writes the archive in list order: a catalogue whose file is no
    # longer as generated is made again.
    if ! cmp -s "$dir/data/filme.cta" <("$maker" "$films" "$order" /dev/stdout seen 1); then
        rm -f "$dir/.ready"
        catalogue "$order" "$films" 0 "$order"
    fi
    cp "$dir/data/filme.cta" "$dir/data/filme.cta.orig"
    cp "$dir/data/tosee.cta" "$dir/data/tosee.cta.orig"
    size=$(stat -c %s "$dir/data/filme.cta")
    ratio() { awk -v k="$1" -v s="$size" 'BEGIN { printf "%.2f", k * 1024 / s }'; }

    open=$(measure "$dir" "$work/scenarios/open.scn")
    echo "== $films films, $order order, archive $(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1e6 }') MB"
    printf '%-21s %s\n' "open, window ready" "$(sub "$open" "$empty_open")"
    for cmd in show top_rating top_viewings search reopen save; do
        r=$(measure "$dir" "$work/scenarios/$cmd.scn")
        printf '%-21s %s\n' "$cmd" "$(sub "$r" "$open")"
        [[ $cmd == search ]] && grep -m1 '^message' "$work/last.out" | sed 's/^/                      /'
    done
    r=$(measure "$work/$order-tosee" "$work/scenarios/tosee.scn")
    r0=$(measure "$work/$order-tosee" "$work/scenarios/open.scn")
    printf '%-21s %s\n' "tosee" "$(sub "$r" "$r0")"
    show=$(measure "$dir" "$work/scenarios/show.scn")
    clear=$(measure "$dir" "$work/scenarios/show_clear.scn")
    printf '%-21s %s\n' "clear list" "$(sub "$clear" "$show")"
    peak_top=$(measure "$dir" "$work/scenarios/show_top.scn")
    echo "peak after start-up   $(ratio "$(peak_of "$open")") x the archive ($(( $(peak_of "$open") / 1024 )) MiB)"
    echo "peak after Show+Top   $(ratio "$(peak_of "$peak_top")") x the archive ($(( $(peak_of "$peak_top") / 1024 )) MiB)"
    rm -f "$dir/data/filme.cta.orig" "$dir/data/tosee.cta.orig"
done

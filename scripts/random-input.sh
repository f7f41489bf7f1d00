#!/bin/sh
# Random clicks, drags and keys over a program's windows (the sanitizer
# build of KQ18 or KQ27) for a while, in a home folder of its own; restarts
# the program when it ends and stops at the first sanitizer report.
# usage: xvfb-run -a -s "-screen 0 1280x1024x24" scripts/random-input.sh PROGRAM SECONDS LOG
set -u
program=$1; seconds=$2; log=$3
work=$(mktemp -d); export HOME=$work XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config
cd "$work"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
end=$(( $(date +%s) + seconds )); starts=0; actions=0
keys="Return Escape Tab space Up Down Left Right Delete BackSpace a b 1 2 comma slash Home End ctrl+v shift+Insert ctrl+z ctrl+c F5 F6 F7"
start() { "$program" >>"$log" 2>&1 & pid=$!; starts=$((starts+1)); sleep 2; }
start
while [ "$(date +%s)" -lt "$end" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"; rc=$?
        echo "exit $rc after $actions actions" >>"$log"
        if grep -q "ERROR: AddressSanitizer\|runtime error" "$log"; then break; fi
        start
    fi
    x=$(shuf -i 0-1100 -n 1); y=$(shuf -i 0-800 -n 1)
    case $(shuf -i 0-9 -n 1) in
        0|1|2|3) xdotool mousemove "$x" "$y" click 1 ;;
        4) xdotool mousemove "$x" "$y" click --repeat 2 1 ;;
        5) xdotool mousemove "$x" "$y" click "$(shuf -e 2 3 -n 1)" ;;
        6) x2=$(shuf -i 0-1100 -n 1); y2=$(shuf -i 0-800 -n 1)
           xdotool mousemove "$x" "$y" mousedown 1 mousemove "$x2" "$y2" mouseup 1 ;;
        7|8) xdotool key "$(echo $keys | tr ' ' '\n' | shuf -n 1)" ;;
        9) xdotool type "ab,/😀" ;;
    esac
    actions=$((actions+1))
done
kill "$pid" 2>/dev/null
echo "done: $actions actions, $starts starts" >>"$log"

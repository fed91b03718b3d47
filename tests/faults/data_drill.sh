#!/bin/sh
# The damaged-data drill: plays the show with one data file damaged at a
# time and checks that the program ends normally and says what happened.
#
#   data_drill.sh PROGRAM DATA [FILE:DAMAGE ...]
#
# PROGRAM is the program to play (the sanitizer build's), DATA the folder
# that holds the show's demo/. Without FILE:DAMAGE pairs every file under
# demo/ gets every damage; a pair names one file (as under demo/, with '/')
# and one damage:
#   missing    the file is not there
#   half       the file is cut to half its length
#   scrambled  every byte after the first 64 replaced, from a fixed seed
# Each run plays headless at 4 frames a second from a quarter of a second
# before the file's first use (the first event naming it, else the start)
# to one second after it. A run passes when the program ends with 1 (a
# normal end), prints no sanitizer report, and its log names the file; a
# run whose damage nothing can notice (a picture or a tune that still
# decodes, however scrambled) passes as "unnoticed" when the rest holds.
# One line per run, then the totals; exit 0 when every run passed.
set -u

if [ $# -lt 2 ]; then
  echo "usage: $0 PROGRAM DATA [FILE:DAMAGE ...]" >&2
  exit 2
fi
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$(cd "$2" && pwd)
shift 2
here=$(cd "$(dirname "$0")" && pwd)
supp=$here/../lsan.supp
work=$(mktemp -d "${TMPDIR:-/tmp}/data-drill.XXXXXX")
trap 'rm -rf "$work"' EXIT

export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# The show's events, to find each file's first use.
(cd "$data" && "$program" --list-events) > "$work/events.txt" 2>/dev/null

if [ $# -eq 0 ]; then
  for file in $(cd "$data" && find demo -type f | sort); do
    for damage in missing half scrambled; do set -- "$@" "$file:$damage"; done
  done
fi

first_use() {
  line=$(grep -F -m 1 "\"$(printf '%s' "$1" | tr / '\\')\"" "$work/events.txt")
  if [ -z "$line" ]; then
    # A picture the show knows by another name (its stem): "demo\pupic.jpg" is "pupic".
    stem=$(basename "$1" | sed 's/\.[^.]*$//')
    line=$(grep -F -m 1 "\"$stem\"" "$work/events.txt")
  fi
  if [ -n "$line" ]; then printf '%s\n' "$line" | awk '{print $1}'; else echo 0; fi
}

damage() {  # damage FILE KIND
  case $2 in
    missing) rm -f "$1" ;;
    half) size=$(wc -c < "$1"); head -c $((size / 2)) "$1" > "$1.cut" && mv "$1.cut" "$1" ;;
    scrambled)
      size=$(wc -c < "$1")
      { head -c 64 "$1"; [ "$size" -gt 64 ] && openssl enc -aes-128-ctr -nosalt -pass pass:skyward-drill -pbkdf2 \
          -in /dev/zero 2>/dev/null | head -c $((size - 64)); } > "$1.scrambled" && mv "$1.scrambled" "$1" ;;
  esac
}

passed=0
unnoticed=0
failed=0
started=$(date +%s)
for pair in "$@"; do
  file=${pair%:*}
  kind=${pair##*:}
  run=$work/run
  rm -rf "$run" && mkdir -p "$run"
  cp -rs "$data/demo" "$run/demo"
  rm -f "$run/$file" && cp "$data/$file" "$run/$file"
  damage "$run/$file" "$kind"
  at=$(first_use "$file")
  start=$(awk -v t="$at" 'BEGIN { s = t - 0.25; printf "%.2f", s < 0 ? 0 : s }')
  until=$(awk -v t="$at" 'BEGIN { printf "%.2f", t + 1 }')
  (cd "$run" && "$program" --headless --preload --fps 4 --start "$start" --until "$until" --log log.txt \
     > out.txt 2> err.txt < /dev/null)
  code=$?
  shown=$(printf '%s' "$file" | tr / '\\')
  # A line naming the file with a reason, not a progress line.
  said=$(cat "$run/log.txt" "$run/out.txt" "$run/err.txt" 2>/dev/null | grep -F -e "$shown" -e "$file" |
         grep -i -m 1 -e warning -e error -e fatal -e cannot -e 'not loaded' -e failed -e damaged | head -c 160)
  if grep -q -e 'ERROR: AddressSanitizer' -e 'ERROR: LeakSanitizer' -e 'runtime error:' "$run/err.txt"; then
    verdict=FAILED reason="sanitizer report: $(grep -m 1 -e ERROR -e 'runtime error' "$run/err.txt")"
  elif [ "$code" -ne 1 ]; then
    verdict=FAILED reason="exit code $code: $(tail -n 1 "$run/err.txt")"
  elif [ -n "$said" ]; then
    verdict=ok reason=$said
  else
    verdict=unnoticed reason="played as it is"
  fi
  case $verdict in
    ok) passed=$((passed + 1)) ;;
    unnoticed) unnoticed=$((unnoticed + 1)) ;;
    *) failed=$((failed + 1)) ;;
  esac
  printf '%-32s %-9s %-9s %s\n' "$file" "$kind" "$verdict" "$reason"
done
echo "$((passed + unnoticed + failed)) runs: $passed named the file, $unnoticed unnoticed, $failed failed" \
     "($(($(date +%s) - started)) s)"
[ "$failed" -eq 0 ]

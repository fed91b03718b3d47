#!/bin/sh
# The frame's options as people mistype them: each line a program, its
# arguments, and the text its message must hold. Every one ends with exit
# code 2 before anything is shown, and its message names the option.
# Usage: frame_command_lines.sh SKYWARD SHOWDATA KSTVIEW
skyward=$1 showdata=$2 kstview=$3
failed=0
check() {
  program=$1 named=$2
  shift 2
  said=$("$program" "$@" 2>&1 </dev/null)
  code=$?
  if [ $code -ne 2 ] || ! printf %s "$said" | grep -q -- "$named"; then
    echo "FAILED: $(basename "$program") $*: exit code $code, said: $said"
    failed=1
  fi
}
check "$skyward" "--size" --size 0x600
check "$skyward" "--size" --size -800x600
check "$skyward" "--size" --size 800
check "$skyward" "--size" --size 800x600x32
check "$skyward" "--size" --size 16385x600
check "$skyward" "--size" --size 99999999999999999999x600
check "$skyward" "--size" --size wide
check "$skyward" "--size" --size 801x600 --capture show.mp4
check "$skyward" "--size desktop" --size desktop --headless
check "$skyward" "--size desktop" --size desktop --windowed
check "$skyward" "--msaa" --msaa 3
check "$skyward" "--msaa" --msaa 16
check "$skyward" "--msaa" --msaa many
check "$showdata" "--scale" out --scale 4
check "$showdata" "--scale" out --scale 0
check "$kstview" "--size" scene.kst --size 0x0
check "$kstview" "--size" scene.kst --size desktop
check "$kstview" "--msaa" scene.kst --msaa 5
exit $failed

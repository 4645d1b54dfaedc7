#!/usr/bin/env bash
# Screenshots of the unpacker's own window in the states its look must show,
# each checked at pixels the look fixes: the normal Russian window with both
# lists, the English one, the compact one (header disabled), and the
# no-packages one. Needs a display (run it under scripts/with-display).
# usage: korvelund_screens.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
scripts="$here/../../scripts"
build="$(cd "$1" && pwd)"
out="$2"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$scripts/wine-prefix" "$build"
. "$scripts/wine-env" "$build"
if [ -n "${WINE_32BIT_MISSING:-}" ]; then echo "SKIPPED: $WINE_32BIT_MISSING"; exit 77; fi

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A program folder: the unpacker, its library, packages and settings.
make_app() {
  local app="$1" packages="$2" settings="$3"
  mkdir -p "$app"
  cp "$build/bin/Korvelund.exe" "$build/bin/7za.dll" "$app/"
  if [ "$packages" = yes ]; then
    mkdir -p "$app/Zipped" "$app/UnZipped/Modem_Conexant" "$app/UnZipped/Card_Reader"
    for name in Chipset_Intel_wnt5 LAN_Realtek_wnt5 Sound_ADI_wnt5 Video_nVidia_wnt5; do
      printf 'placeholder' >"$app/Zipped/DP_$name.7z"
    done
  fi
  if [ -n "$settings" ]; then printf '%b' "$settings" >"$app/Korvelund.ini"; fi
}

# Runs the unpacker in a folder, captures its window (the client area) as
# NAME.png, and, given a client point and a second name, clicks there and
# captures again; then ends it with Esc. Prints the first capture's size as
# "WIDTH HEIGHT".
shoot() {
  local app="$1" name="$2"
  (cd "$app" && exec wine Korvelund.exe) &
  local program=$!
  local window
  window="$(timeout 30 xdotool search --sync --onlyvisible --name 'Korvelund|Ctrl\+Enter' | head -n1)"
  sleep 1.5
  timeout 20 import -window "$window" "$out/$name.png"
  if [ $# -eq 5 ]; then
    local ox oy
    read -r ox oy < <(client_origin "$out/$name.png")
    xdotool mousemove --window "$window" $((ox + $3)) $((oy + $4)) click 1 mousemove --window "$window" 200 60
    sleep 1
    timeout 20 import -window "$window" "$out/$5.png"
  fi
  xdotool key --window "$window" Escape || true
  for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  identify -format '%w %h\n' "$out/$name.png"
}

# Archives that take a while to unpack (PPMd over random data), three of them
# preselected, and a countdown of one step: the run starts by itself.
make_run_app() {
  local app="$1" source="$work/sources"
  make_app "$app" no ""
  printf '%s\r\n' '[Options]' "DrvFolder=Z:${work//\//\\}\\target" '[CopyFiles]' 'Timer=1' \
    '[Select]' 'DP_one.7z=1' 'DP_two.7z=1' 'DP_three.7z=1' >"$app/Korvelund.ini"
  mkdir -p "$app/Zipped" "$work/target"
  for name in one two three four; do
    mkdir -p "$source/$name/D"
    head -c $((12 * 1024 * 1024)) /dev/urandom >"$source/$name/D/$name.bin"
    (cd "$source/$name" && 7zz a -bd -y -m0=PPMd -mx=1 "$app/Zipped/DP_$name.7z" D >/dev/null)
  done
}

# Captures the window as NAME.png once an entry shows grayed (disabled grey
# square besides grey ticks) while a bar is filling; fails when the run ends
# first.
shoot_run() {
  local app="$1" name="$2" window shot="$work/shot.png"
  (cd "$app" && exec wine Korvelund.exe) &
  local program=$!
  window="$(timeout 30 xdotool search --sync --onlyvisible --name 'Korvelund' | head -n1)"
  for _ in $(seq 150); do
    timeout 20 import -window "$window" "$shot" 2>/dev/null || break
    if [ "$(count "$shot" 0 0 400 400 "180,180,180")" -ge 70 ] &&
       [ "$(count "$shot" 0 0 400 400 "128,220,136")" -ge 100 ]; then
      cp "$shot" "$out/$name.png"
      break
    fi
    sleep 0.1
  done
  # The run ends the program; a stuck one is stopped.
  for _ in $(seq 600); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  [ -f "$out/$name.png" ] || fail "$name: no capture in the middle of the run"
}

pixel() {  # FILE X Y -> "r,g,b"
  convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# Where the client area starts in a capture, as "X Y": the header, at the
# client's top left, is the first header blue down the middle column and
# then along its second row (the capture may or may not hold Wine's own
# frame and caption bar).
client_origin() {  # FILE
  local file="$1" width x y
  width="$(identify -format '%w' "$file")"
  x=$((width / 2))
  for y in $(seq 0 60); do
    if [ "$(pixel "$file" "$x" "$y")" = "83,141,251" ]; then break; fi
  done
  for x in $(seq 0 10); do
    if [ "$(pixel "$file" "$x" $((y + 1)))" = "83,141,251" ]; then break; fi
  done
  echo "$x $y"
}

# Pixels of exactly one colour inside a rectangle.
count() {  # FILE X Y W H "r,g,b"
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque "rgb($6)" -fill white -opaque "rgb($6)" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

expect_pixel() {  # NAME X Y "r,g,b"
  local got
  got="$(pixel "$out/$1.png" "$2" "$3")"
  [ "$got" = "$4" ] || fail "$1 at $2,$3: $got, expected $4"
}

expect_some() {  # NAME X Y W H "r,g,b" MIN
  local got
  got="$(count "$out/$1.png" "$2" "$3" "$4" "$5" "$6")"
  [ "$got" -ge "$7" ] || fail "$1: $got pixels of $6 in ${4}x$5+$2+$3, expected at least $7"
}

# The header at the client's top left: its strip starts where column 10
# first turns white; the strip's rounded corner takes the header blue, its
# caption the given colour.
check_header() {  # NAME CAPTION_COLOUR
  local file="$out/$1.png" ox oy top=-1 y
  read -r ox oy < <(client_origin "$file")
  for y in $(seq "$oy" $((oy + 40))); do
    if [ "$(pixel "$file" $((ox + 10)) "$y")" = "255,255,255" ]; then top=$y; break; fi
  done
  if [ "$top" -lt 0 ]; then fail "$1: no header strip"; return; fi
  expect_pixel "$1" "$ox" "$top" "83,141,251"
  expect_pixel "$1" $((ox + 4)) "$top" "83,141,251"
  expect_pixel "$1" $((ox + 5)) "$top" "83,141,251"
  expect_pixel "$1" $((ox + 4)) $((top + 1)) "83,141,251"
  expect_pixel "$1" $((ox + 6)) "$top" "255,255,255"
  expect_some "$1" $((ox + 14)) "$top" 250 26 "$2" 80
}

no_countdown='[CopyFiles]\r\nTimer=0\r\n'

# Two archives preselected; the "Dir" button brings the folder list forward.
make_app "$work/ru" yes "${no_countdown}[Select]\r\nDP_chipset_intel_wnt5.7z=1\r\nDP_sound_adi_wnt5.7z=1\r\n"
shoot "$work/ru" korvelund_ru 328 114 korvelund_ru_folders >/dev/null
check_header korvelund_ru "5,92,224"
# Two ticks of 21 pixels; the button's frame.
expect_some korvelund_ru 0 0 400 400 "40,176,51" 42
expect_some korvelund_ru 0 0 400 400 "51,51,153" 150

make_app "$work/en" yes "${no_countdown}LangEn=1\r\n"
shoot "$work/en" korvelund_en >/dev/null
check_header korvelund_en "5,92,224"

make_app "$work/compact" yes "${no_countdown}HMin=1\r\n"
read -r _ height < <(shoot "$work/compact" korvelund_compact)
check_header korvelund_compact "184,170,154"
# 132 with Wine's frame and caption bar; less when the capture holds only the client area.
[ "$height" -le 132 ] || fail "compact window $height pixels high"

# No packages, no settings: Russian texts, the header disabled with its
# caption in red, ends by itself.
make_app "$work/none" no ""
shoot "$work/none" korvelund_no_packages_ru >/dev/null
check_header korvelund_no_packages_ru "255,0,0"

make_run_app "$work/run"
shoot_run "$work/run" korvelund_apply_run
[ -f "$out/korvelund_apply_run.png" ] && check_header korvelund_apply_run "184,170,154"

echo "screenshots in $out"
exit $((failures > 0))

#!/usr/bin/env bash
# Generates the demo package tree of `make run`: DP_*.7z archives made by 7zz
# from generated driver-like files, an UnZipped folder with two driver
# folders, and a Korvelund.ini showing presets, hints and a short countdown.
# usage: make_demo_tree.sh DEMO_DIR
set -euo pipefail
demo="$1"
app="$demo/Korvelund"
work="$demo/.sources"
rm -rf "$app" "$work"
mkdir -p "$app/Zipped" "$app/UnZipped" "$work"

# One driver-like package: an .inf, a binary .sys and a readme.
make_driver() {
  local folder="$1" name="$2" size_kb="$3"
  mkdir -p "$folder"
  printf '[Version]\r\nSignature="$Windows NT$"\r\nClass=%s\r\nProvider=%%Vendor%%\r\nDriverVer=04/01/2009,1.0.0.%s\r\n\r\n[Manufacturer]\r\n%%Vendor%%=Models\r\n\r\n[Strings]\r\nVendor="Demo %s"\r\n' \
    "$name" "$size_kb" "$name" >"$folder/$name.inf"
  head -c $((size_kb * 1024)) /dev/urandom >"$folder/$name.sys"
  printf 'Demo driver %s for the Korvelund unpacker.\r\n' "$name" >"$folder/readme.txt"
}

for package in Chipset_Intel_wnt5 LAN_Realtek_wnt5 Sound_ADI_wnt5 Video_nVidia_wnt5; do
  make_driver "$work/$package/D/${package%%_*}/${package#*_}" "${package%%_*}" 64
  (cd "$work/$package" && 7zz a -bd -y -mx=5 "$app/Zipped/DP_$package.7z" D >/dev/null)
done
make_driver "$app/UnZipped/Modem_Conexant/Win2k" Modem 16
make_driver "$app/UnZipped/Card_Reader" Reader 16

printf '%s\r\n' \
  '[Options]' \
  'DrvFolder=%DemoTarget%' \
  'DelDrvAfterInst=1' \
  '[CopyFiles]' \
  'DistrCopy=0' \
  'Tarnix=0' \
  'Timer=8' \
  '[Hint]' \
  'CHIPSET=Intel chipset: INF update for 8xx/9xx' \
  'LAN=Network adapters: Realtek RTL81xx' \
  'SOUND=Sound: Analog Devices SoundMAX' \
  'VIDEO=Video: nVidia GeForce' \
  '[Select]' \
  'DP_chipset_intel_wnt5.7z=1' \
  'DP_lan_realtek_wnt5.7z=1' >"$app/Korvelund.ini"
rm -rf "$work"
touch "$demo/.stamp"

#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Varnel need.
# Asks dpkg first and calls apt-get only for what is missing, so a second run
# takes seconds.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libicu-dev icu-devtools
  qt6-base-dev libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 nodejs chromium time
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# nodejs may come from another repository under the same name; a working
# node on the PATH is enough.
if command -v node >/dev/null 2>&1; then
  missing=("${missing[@]/nodejs}")
fi
read -r -a missing <<< "${missing[*]:-}"

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [[ $(id -u) -eq 0 ]] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs every Debian 12 package the project needs (the lists in scripts/packages/).
# Works as root and as a user with sudo.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
packages=$(cat "$here"/packages/*.txt | sed 's/#.*//' | tr -s ' \n' ' ')
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
# shellcheck disable=SC2086
$sudo apt-get install -y --no-install-recommends $packages

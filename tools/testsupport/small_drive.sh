#!/bin/sh
# Runs a command in a mount namespace of its own in which FOLDER is an empty tmpfs of SIZE, so that a
# test can fill a drive and free it again. The mount goes with the namespace when the command ends,
# however it ends; nothing outside the namespace sees it. Needs root, or a kernel that lets users
# make namespaces of their own.
#
#   small_drive.sh SIZE FOLDER -- command [arguments...]
set -eu
size=$1
folder=$2
shift 2
if [ "${1:-}" = "--" ]; then shift; fi
mkdir -p "$folder"
user=""
if [ "$(id -u)" -ne 0 ]; then user="--map-root-user"; fi
# shellcheck disable=SC2016
exec unshare $user --mount --propagation private -- sh -c \
  'mount -t tmpfs -o "size=$1" verdelo-small-drive "$2" || exit 125; shift 2; exec "$@"' \
  small_drive "$size" "$folder" "$@"

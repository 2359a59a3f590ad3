#!/bin/sh
# Small disks for the save fault tests, under the given folder:
#   small  a 200 KB disk that fills up after one password file
#   rw     a disk the tests write to, and ro, the same disk seen read-only
# Each usable disk gets a file "ready". Mounting needs root; without it the tests that need the
# disks say so and skip, and the rest run as ever.
#   scratch_disks.sh up|down FOLDER
set -u
root=$2

unmount_all() {
    for disk in ro rw small; do
        umount "$root/$disk" 2>/dev/null
    done
}

case "$1" in
up)
    unmount_all
    mkdir -p "$root/small" "$root/rw" "$root/ro"
    if mount -t tmpfs -o size=200k kavo-small "$root/small" 2>/dev/null; then
        touch "$root/small/ready"
    fi
    if mount -t tmpfs -o size=1m kavo-rw "$root/rw" 2>/dev/null &&
        mount --bind "$root/rw" "$root/ro" 2>/dev/null &&
        mount -o remount,bind,ro "$root/ro" 2>/dev/null; then
        touch "$root/rw/ready"
    fi
    ;;
down)
    unmount_all
    ;;
esac
exit 0

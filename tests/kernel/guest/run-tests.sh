#!/bin/sh
# Runs inside the test guest, chrooted into the host's file system (read-only
# below a tmpfs): makes the guest kernel's parport modules loadable the way
# an installed system has them, then runs the test binaries built on the
# host against the guest's kernel. Exit status = result.
set -u
build=$1
filter=${2:-*}
kernel=$(uname -r)
modules=/lib/modules/$kernel

# The package's modules as modprobe and libkmod look for them. No options
# for parport_pc: loaded by name it finds the port through ACPI, as on a PC.
mkdir -p "$modules/kernel/drivers/parport" "$modules/kernel/drivers/char"
cp "$build/kernel/modules/parport.ko" "$build/kernel/modules/parport_pc.ko" \
    "$modules/kernel/drivers/parport/"
cp "$build/kernel/modules/ppdev.ko" "$modules/kernel/drivers/char/"
cp "$build/kernel/modules"/modules.* "$modules/"
depmod -a "$kernel" || { echo "guest: depmod failed"; exit 100; }

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/runtime
mkdir -m 0700 -p "$XDG_RUNTIME_DIR"

status=0
for binary in port_kernel_tests program_kernel_tests; do
    started=$(cut -d' ' -f1 /proc/uptime)
    # A binary stuck in the kernel still leaves time to report the others.
    timeout -k 5 240 "$build/tests/kernel/$binary" --gtest_color=no "--gtest_filter=$filter" || status=1
    echo "guest: $binary took $(awk -v s="$started" '{ printf "%.1f", $1 - s }' /proc/uptime) s"
done
exit $status

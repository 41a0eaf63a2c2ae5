#!/usr/bin/env bash
# Runs the port tests that need a real Linux kernel (tests/kernel/) in a
# virtual machine: Debian's own kernel with its parport, parport_pc and ppdev
# modules, on QEMU's emulated ISA parallel port at 0x378.
#
# The kernel package is downloaded into build/kernel/ and unpacked there, never
# installed. The guest boots from a small busybox initramfs, mounts the host's
# file system read-only (9p, with a tmpfs on top) and runs the test binaries
# of build/ against its own kernel. Exit status = result: a missing tool or
# package, a guest that does not report within its time limit, and a failed
# test all fail.
#
# scripts/test-kernel.sh [FILTER] runs only the tests that the GoogleTest
# filter FILTER names (for example 'BusyPort.*').
#
# Environment: VOLTARIX_GUEST_TIMEOUT (seconds, default 480),
# VOLTARIX_GUEST_ACCEL (tcg or kvm; by default kvm where a probe boot
# shows that it works, tcg otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$PWD/build
work=$build_dir/kernel
guest_timeout=${VOLTARIX_GUEST_TIMEOUT:-480}
filter=${1:-*}

fail() {
    echo "test-kernel: $*" >&2
    exit 1
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

need_tools() {
    local tool
    for tool in qemu-system-x86_64 busybox depmod readelf apt-get apt-cache dpkg-deb xz gzip; do
        command -v "$tool" >/dev/null 2>&1 ||
            fail "$tool is missing (scripts/deps.sh installs it)"
    done
    # grep reads the whole list: with -q it could leave early, and the writer's SIGPIPE
    # would fail the pipeline under pipefail.
    busybox --list | grep -x insmod >/dev/null || fail "busybox has no insmod: install busybox-static"
    # The initramfs has no C library: a dynamically linked busybox would not start.
    ! readelf -l "$(command -v busybox)" | grep 'program interpreter' >/dev/null ||
        fail "busybox is not the static one: install busybox-static"
    [ -x "$build_dir/tests/kernel/port_kernel_tests" ] &&
        [ -x "$build_dir/tests/kernel/program_kernel_tests" ] ||
        fail "the kernel test binaries are not built (scripts/build.sh)"
    case "$source_dir$build_dir" in
    *[[:space:]]*) fail "the guest cannot be given a path with blanks: $build_dir" ;;
    esac
    case "$filter" in
    *[[:space:]\"]*) fail "a test filter has no blanks or quotes: $filter" ;;
    esac
}

# The package that linux-image-amd64 names now, e.g. linux-image-6.1.0-57-amd64.
kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null |
        awk '$1 == "Depends:" && $2 ~ /^linux-image-[0-9]/ { print $2; exit }'
}

fetch_kernel() {
    local package
    package=$(kernel_package)
    if [ -z "$package" ]; then
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        package=$(kernel_package)
    fi
    [ -n "$package" ] || fail "Debian's archive names no linux-image-*-amd64 package"
    kernel_dir=$work/$package
    if [ ! -f "$kernel_dir/unpacked" ]; then
        rm -rf "$work"/linux-image-*
        mkdir -p "$kernel_dir"
        (cd "$kernel_dir" && apt-get download "$package" >/dev/null 2>&1) ||
            fail "apt-get download $package failed"
        unpack_kernel "$kernel_dir"/"$package"_*.deb "$kernel_dir"
        rm -f "$kernel_dir"/*.deb
        touch "$kernel_dir/unpacked"
    fi
    echo "test-kernel: kernel $package"
}

# unpack_kernel DEB DIR: the kernel image and the few modules the guest needs.
unpack_kernel() {
    local deb=$1 dir=$2 module
    local wanted=(kernel/drivers/parport/parport kernel/drivers/parport/parport_pc
        kernel/drivers/char/ppdev kernel/drivers/virtio/virtio_ring kernel/drivers/virtio/virtio
        kernel/drivers/virtio/virtio_pci_modern_dev kernel/drivers/virtio/virtio_pci_legacy_dev
        kernel/drivers/virtio/virtio_pci kernel/net/9p/9pnet kernel/net/9p/9pnet_virtio
        kernel/fs/netfs/netfs kernel/fs/fscache/fscache kernel/fs/9p/9p
        kernel/fs/overlayfs/overlay)
    # The module lists let depmod write the whole module database.
    local patterns=('./boot/vmlinuz-*' './lib/modules/*/modules.builtin'
        './lib/modules/*/modules.builtin.modinfo' './lib/modules/*/modules.order')
    for module in "${wanted[@]}"; do
        patterns+=("./lib/modules/*/$module.ko")
    done
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$dir" --wildcards "${patterns[@]}" ||
        fail "$deb lacks the kernel image or a module"
    mkdir -p "$dir/modules"
    find "$dir/lib" -name '*.ko' -exec mv {} "$dir/modules/" \;
    mv "$dir"/lib/modules/*/modules.* "$dir/modules/"
    rm -rf "$dir/lib"
    mv "$dir"/boot/vmlinuz-* "$dir/bzImage"
    rmdir "$dir/boot"
    extract_vmlinux "$dir/bzImage" "$dir/vmlinux" || rm -f "$dir/vmlinux"
}

# The uncompressed kernel inside the bzImage (xz in Debian's): QEMU boots it
# straight through its PVH entry, about twice as fast as through the bzImage.
extract_vmlinux() {
    local offset
    offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$1" | head -n1 | cut -d: -f1)
    [ -n "$offset" ] || return 1
    tail -c +$((offset + 1)) "$1" | xz -dc --single-stream >"$2" 2>/dev/null || return 1
    head -c 4 "$2" | grep -q $'\x7fELF'
}

build_initramfs() {
    local root=$work/initramfs module
    rm -rf "$root"
    mkdir -p "$root/bin" "$root/modules" "$root/proc" "$root/sys" "$root/dev" "$root/tmp"
    cp "$(command -v busybox)" "$root/bin/busybox"
    ln -s busybox "$root/bin/sh"
    cp "$source_dir/tests/kernel/guest/init" "$root/init"
    chmod 0755 "$root/init"
    for module in virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci \
        9pnet 9pnet_virtio netfs fscache 9p overlay; do
        cp "$kernel_dir/modules/$module.ko" "$root/modules/"
    done
    (cd "$root" && find . | busybox cpio -o -H newc -R 0:0 2>/dev/null | gzip -1) \
        >"$work/initramfs.gz"
    # The runner looks for the parport modules here, through the host's file system.
    rm -rf "$work/modules"
    mkdir -p "$work/modules"
    cp "$kernel_dir"/modules/{parport,parport_pc,ppdev}.ko "$kernel_dir"/modules/modules.* \
        "$work/modules/"
}

# run_guest ACCEL TIMEOUT RUNNER LOG [live]: boots the guest, writes its
# console into LOG (and, with live, on the terminal too, without the
# firmware's terminal resets), returns QEMU's status.
run_guest() {
    local accel=$1 limit=$2 runner=$3 log=$4 live=${5:-} kernel=$kernel_dir/vmlinux
    [ -f "$kernel" ] || kernel=$kernel_dir/bzImage
    local status=0
    timeout -k 5 "$limit" qemu-system-x86_64 -accel "$accel" -m 512 -smp 2 \
        -nographic -no-reboot -nic none -kernel "$kernel" -initrd "$work/initramfs.gz" \
        -append "console=ttyS0 quiet panic=-1 voltarix_guest=1 voltarix_run=$runner voltarix_build=$build_dir voltarix_filter=$filter" \
        -parallel "file:$work/parallel.out" \
        -device isa-debug-exit,iobase=0xf4,iosize=0x04 \
        -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
        </dev/null 2>&1 |
        if [ -n "$live" ]; then
            LC_ALL=C sed -u -e 's/\x1bc//g' -e 's/\x1b\[[0-9;?]*[a-zA-Z]//g' | tee "$log"
        else
            cat >"$log"
        fi
    status=${PIPESTATUS[0]}
    return $status
}

# KVM where the machine really runs a guest with it; on some hosts /dev/kvm
# is there but a guest hangs in it. The verdict is kept for this host kernel
# and QEMU, so only the first run pays for the probe.
choose_accel() {
    if [ -n "${VOLTARIX_GUEST_ACCEL:-}" ]; then
        echo "$VOLTARIX_GUEST_ACCEL"
        return
    fi
    if [ ! -r /dev/kvm ] || [ ! -w /dev/kvm ]; then
        echo tcg
        return
    fi
    local host verdict=tcg status=0
    host="$(uname -r) $(qemu-system-x86_64 --version | head -n1)"
    if [ -f "$work/kvm-verdict" ] && [ "$(head -n1 "$work/kvm-verdict")" = "$host" ]; then
        tail -n1 "$work/kvm-verdict"
        return
    fi
    printf 'exit 0\n' >"$work/probe.sh"
    run_guest kvm 10 "$work/probe.sh" "$work/kvm-probe.log" || status=$?
    # QEMU's own failures end with 1 too: only the guest's report counts.
    if [ $status -eq 1 ] && grep -q 'guest: status 0 after' "$work/kvm-probe.log"; then
        verdict=kvm
    fi
    printf '%s\n%s\n' "$host" "$verdict" >"$work/kvm-verdict"
    echo "$verdict"
}

need_tools
mkdir -p "$work"
fetch_kernel
build_initramfs
accel=$(choose_accel)
echo "test-kernel: booting the guest ($accel, at most $guest_timeout s)"
started=$SECONDS
status=0
run_guest "$accel" "$guest_timeout" "$source_dir/tests/kernel/guest/run-tests.sh" \
    "$work/guest.log" live || status=$?
echo "test-kernel: the guest ran $((SECONDS - started)) s"
case $status in
124 | 137) fail "the guest did not report within $guest_timeout s" ;;
0) fail "the guest stopped without reporting a status" ;;
esac
[ $((status % 2)) -eq 1 ] || fail "QEMU failed with status $status"
guest_status=$((status >> 1))
# QEMU's own errors end with 1 as well, the code of a guest status 0.
grep -q "guest: status $guest_status after" "$work/guest.log" ||
    fail "QEMU ended with status $status, and not by the guest's report"
[ $guest_status -eq 0 ] || fail "the kernel tests failed in the guest (status $guest_status)"
echo "test-kernel: passed"

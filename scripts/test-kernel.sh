#!/usr/bin/env bash
# The transport on a real kernel HID stack: boots a small guest under QEMU's
# software emulation with Debian's cloud kernel, creates the dongle there
# through /dev/uhid (answering with the simulated line's model) and runs the
# product's code through the hidraw back end against it. Prints the guest's
# one result line and fails unless it reads "pass".
#
#   scripts/test-kernel.sh            the test
#   scripts/test-kernel.sh --figures  the test, then timing figures from the
#                                     guest, with Debian's hidapi beside them
#
# KVR27_KERNEL_BUILD names the build directory (default: build);
# KVR27_VERBOSE=1 shows the guest's transcripts and phase times.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${KVR27_KERNEL_BUILD:-build}
jobs=$(nproc 2>/dev/null || echo 2)
figures=""
[ "${1:-}" = "--figures" ] && figures=figures

scripts/install-deps.sh
if [ -n "$figures" ] && ! dpkg-query -W -f='${Status}' libhidapi-dev 2>/dev/null | grep -q "install ok installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends libhidapi-dev >/dev/null
fi

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVR27_WERROR=ON >/dev/null
cmake "$build" >/dev/null  # picks up hidapi when it was just installed
targets=(kvr27_virtual_dongle kvr27_kernel_test kvr27_kernel_expected)
[ -n "$figures" ] && targets+=(kvr27_hidapi_enumerate)
cmake --build "$build" -j"$jobs" --target "${targets[@]}"
programs="$root/$build/tests/kernel"

# --- the guest kernel: Debian's current cloud kernel, only what is needed ---
work="$root/$build/kernel-guest"
mkdir -p "$work"
kernel_package() {
    apt-cache depends linux-image-cloud-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ { print $2; exit }'
}
package=$(kernel_package)
if [ -z "$package" ]; then
    apt-get update -q >/dev/null
    package=$(kernel_package)
fi
[ -n "$package" ] || { echo "test-kernel: cannot resolve linux-image-cloud-amd64" >&2; exit 1; }
kernel="$work/$package"
if [ ! -f "$kernel/vmlinuz" ]; then
    download=$(mktemp -d)
    chmod 777 "$download"  # apt's sandbox user writes the file
    (cd "$download" && apt-get download -q "$package" >/dev/null 2>&1)
    mkdir -p "$kernel.tmp"
    dpkg-deb --fsys-tarfile "$download"/"$package"_*.deb |
        tar -x -C "$kernel.tmp" --wildcards './boot/vmlinuz-*' './lib/modules/*/kernel/drivers/hid/hid.ko*' \
            './lib/modules/*/kernel/drivers/hid/uhid.ko*' './lib/modules/*/kernel/drivers/hid/hid-generic.ko*'
    rm -rf "$download"
    mv "$kernel.tmp"/boot/vmlinuz-* "$kernel.tmp/vmlinuz"
    for module in hid uhid hid-generic; do
        found=$(find "$kernel.tmp/lib" -name "$module.ko*" | head -n1)
        case "$found" in
        *.xz) xz -dc "$found" >"$kernel.tmp/$module.ko" ;;
        *.zst) zstd -qdc "$found" >"$kernel.tmp/$module.ko" ;;
        *) cp "$found" "$kernel.tmp/$module.ko" ;;
        esac
    done
    rm -rf "$kernel.tmp/lib" "$kernel.tmp/boot" "$kernel"
    mv "$kernel.tmp" "$kernel"
fi

# --- the initramfs ---
image="$work/initramfs"
rm -rf "$image"
mkdir -p "$image"/{bin,lib/kvr27,proc,sys,dev,tmp}
cp /bin/busybox "$image/bin/busybox"
cp "$kernel"/{hid,uhid,hid-generic}.ko "$image/lib/kvr27/"
cp "$programs"/kvr27_virtual_dongle "$programs"/kvr27_kernel_test "$image/"
(cd "$work" && "$programs/kvr27_kernel_expected" "$image/expected.txt" >/dev/null)
if [ -n "$figures" ]; then
    # A dynamically linked program brings its libraries and loader along.
    cp "$programs/kvr27_hidapi_enumerate" "$image/"
    ldd "$programs/kvr27_hidapi_enumerate" | awk '/=> \// { print $3 } /^\t\/[^ ]+ \(/ { print $1 }' |
        while read -r library; do
            mkdir -p "$image$(dirname "$library")"
            cp -L "$library" "$image$library"
        done
fi
cat >"$image/init" <<'INIT'
#!/bin/busybox sh
/bin/busybox mount -t proc proc /proc
/bin/busybox mount -t sysfs sysfs /sys
/bin/busybox mount -t devtmpfs devtmpfs /dev
/bin/busybox mount -t tmpfs tmpfs /tmp
exec >/dev/console 2>&1
for module in hid uhid hid-generic; do
    /bin/busybox insmod /lib/kvr27/$module.ko || echo "KVR27-KERNEL-RESULT: fail cannot load $module.ko"
done
cd /tmp
hidapi=""
[ -x /kvr27_hidapi_enumerate ] && hidapi=/kvr27_hidapi_enumerate
/kvr27_kernel_test /kvr27_virtual_dongle /expected.txt $KVR27_FIGURES $hidapi >/tmp/stdout.txt 2>/tmp/stderr.txt
/bin/busybox grep -v '^KVR27-' /tmp/stderr.txt >/tmp/details.txt
/bin/busybox grep '^KVR27-' /tmp/stderr.txt || echo "KVR27-KERNEL-RESULT: fail the test program printed no result"
if [ -n "$KVR27_VERBOSE" ]; then
    /bin/busybox cat /tmp/details.txt
elif ! /bin/busybox grep -q 'KVR27-KERNEL-RESULT: pass' /tmp/stderr.txt; then
    /bin/busybox tail -n 60 /tmp/details.txt
fi
/bin/busybox poweroff -f
INIT
chmod +x "$image/init"
(cd "$image" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initramfs.cpio.gz"

# --- the guest ---
serial="$work/serial.txt"
start=$(date +%s%N)
timeout 300 qemu-system-x86_64 -accel tcg -cpu max -m 512 -smp 1 -nographic -nic none -no-reboot \
    -kernel "$kernel/vmlinuz" -initrd "$work/initramfs.cpio.gz" \
    -append "console=ttyS0 quiet panic=-1 KVR27_FIGURES=$figures KVR27_VERBOSE=${KVR27_VERBOSE:-}" </dev/null >"$serial" 2>&1 || true
elapsed_ms=$((($(date +%s%N) - start) / 1000000))

# The serial console wraps lines in escape codes and ends them with CR.
clean=$(sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\r//g' "$serial")
result=$(grep -o 'KVR27-KERNEL-RESULT: .*' <<<"$clean" | head -n1 || true)
grep -o 'KVR27-FIGURE .*' <<<"$clean" || true
echo "guest: $package, $((elapsed_ms / 1000)).$(printf %03d $((elapsed_ms % 1000))) s"
if [ -z "$result" ]; then
    echo "KVR27-KERNEL-RESULT: fail the guest printed no result line" >&2
    tail -n 40 <<<"$clean" >&2
    exit 1
fi
echo "$result"
if [ "$result" != "KVR27-KERNEL-RESULT: pass" ]; then
    grep -v 'KVR27-' <<<"$clean" | tail -n 60 >&2
    exit 1
fi

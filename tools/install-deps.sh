#!/usr/bin/env bash
# Installs what building and testing tikvan needs on Debian 12, as root, and
# says what it installs. Does nothing when everything is there.
set -euo pipefail

packages=(cmake make g++ g++-mingw-w64-i686 wine wine64 wine32:i386 strace clang-tidy cppcheck)
missing=()

install() {
    echo "install-deps: installing $*"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: enabling the i386 architecture (for wine32)"
    dpkg --add-architecture i386
fi
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then install "${missing[@]}"; fi

# tikvan.exe is a 32-bit program, and Wine runs it in a 32-bit Linux process.
# Where the kernel does not run 32-bit programs itself, they are run through
# QEMU's user-mode emulator, registered with the kernel for i386 programs.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    dpkg -s qemu-user-static >/dev/null 2>&1 || install qemu-user-static
    binfmt=/proc/sys/fs/binfmt_misc
    [[ -e $binfmt/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if [[ ! -e $binfmt/qemu-i386 ]]; then
        echo "install-deps: this kernel does not run 32-bit programs; registering qemu-i386-static for them"
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register"
    fi
    /lib/ld-linux.so.2 --version >/dev/null
fi

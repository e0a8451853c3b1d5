#!/usr/bin/env bash
# Installs what building and testing tikvan needs on Debian 12, as root, and
# says what it installs. Does nothing when everything is there.
set -euo pipefail

packages=(cmake make g++ g++-mingw-w64-i686 wine wine64 wine32:i386 strace faketime clang-tidy cppcheck
          clang libclang-rt-14-dev valgrind hyperfine busybox unzip man-db doctest-dev mandoc locales)
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
# The emulator comes from bookworm-backports: the one of Debian 12 needs
# about a minute to start Wine, the later one a second or two.
binfmt=/proc/sys/fs/binfmt_misc
if [[ -e $binfmt/qemu-i386 ]] || ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    emulator=/usr/bin/qemu-i386
    if ! "$emulator" --version 2>/dev/null | grep -q 'version \(9\|[1-9][0-9]\)\.'; then
        backports=/etc/apt/sources.list.d/bookworm-backports.list
        if [[ ! -e $backports ]]; then
            echo "install-deps: adding Debian's bookworm-backports (for qemu-user)"
            echo 'deb http://deb.debian.org/debian bookworm-backports main' >"$backports"
        fi
        echo "install-deps: installing qemu-user from bookworm-backports"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -t bookworm-backports \
            qemu-user >/dev/null
    fi
    [[ -e $binfmt/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if ! grep -qx "interpreter $emulator" "$binfmt/qemu-i386" 2>/dev/null; then
        echo "install-deps: this kernel does not run 32-bit programs; registering $emulator for them"
        [[ -e $binfmt/qemu-i386 ]] && echo -1 >"$binfmt/qemu-i386"
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:$emulator:F" >"$binfmt/register"
    fi
    /lib/ld-linux.so.2 --version >/dev/null
fi

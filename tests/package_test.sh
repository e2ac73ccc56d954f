#!/usr/bin/env bash
# The Debian package that CPack builds: what it installs where, and what it
# asks of the system.
set -u
build=$1
bind_now=${2:-OFF}  # ON where the build asks for immediate binding (not under the sanitizers)
source "$(dirname "$0")/shell_checks.sh"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >cpack.log 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/horavox_*_"$(dpkg --print-architecture)".deb) || exit 1
listing=$(dpkg-deb -c "$deb")
paths=$(awk '{print $6 ($7 ? " " $7 " " $8 : "")}' <<<"$listing")

expected=(
    "./usr/bin/horavox -> ../lib/horavox/horavox"
    "./usr/bin/horavox-say -> ../lib/horavox/horavox-say"
    ./usr/lib/horavox/horavox ./usr/lib/horavox/horavox-say ./usr/lib/horavox/installed
    ./usr/lib/horavox/horavox.txt ./usr/lib/horavox/testsnd.wav ./usr/lib/horavox/PREFIX.WAV
    ./usr/share/applications/org.horavox.Horavox.desktop
    ./usr/share/icons/hicolor/scalable/apps/org.horavox.Horavox.svg
    ./usr/share/metainfo/org.horavox.Horavox.metainfo.xml
    ./usr/share/man/man1/horavox.1.gz ./usr/share/man/man1/horavox-say.1.gz
    ./usr/share/doc/horavox/copyright ./usr/share/doc/horavox/changelog.gz
    ./usr/share/lintian/overrides/horavox
)
for path in "${expected[@]}"; do
    grep -qxF -- "$path" <<<"$paths" || expect "in the package" "$path" ""
done
expect "every word of the voice" 29 "$(grep -c '^\./usr/lib/horavox/.*\.WAV$' <<<"$paths")"
expect "everything under /usr" "" "$(grep -v '^\./usr/' <<<"$paths")"
expect "owned by root" "" "$(awk '$2 != "root/root"' <<<"$listing")"
expect "executables 0755, other files 0644, directories 0755" "" \
    "$(awk '$1 !~ /^(-rwxr-xr-x|-rw-r--r--|drwxr-xr-x|lrwxrwxrwx)$/' <<<"$listing")"
expect "only the two programs executable" $'./usr/lib/horavox/horavox\n./usr/lib/horavox/horavox-say' \
    "$(awk '$1 == "-rwxr-xr-x" {print $6}' <<<"$listing" | sort)"

# The hardening's link flags reached both programs, and they are stripped as Debian strips.
dpkg-deb -x "$deb" "$work/root"
for program in horavox horavox-say; do
    binary="$work/root/usr/lib/horavox/$program"
    [ "$bind_now" = ON ] && expect "$program binds every symbol at start-up" yes \
        "$(readelf -d "$binary" | grep -qw BIND_NOW && echo yes)"
    expect "$program without the compilers' .comment" "" "$(readelf -S "$binary" | grep -o '\.comment')"
done

expect "package name" horavox "$(dpkg-deb -f "$deb" Package)"
expect "section" utils "$(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{print $1}')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libsdl2-2.0-0; do
    grep -qxF "$library" <<<"$depends" || expect "depends on $library" "$library" ""
done
# The clocks find each other through a socket of their own; Qt Network is not loaded.
expect "no dependency on Qt Network" "" "$(grep -x 'libqt6network6' <<<"$depends")"

exit $((failures > 0))

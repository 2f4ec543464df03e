#!/usr/bin/env bash
# install_test.sh BUILD: installs the build into a temporary prefix and checks that every file
# lands in its place; starts the installed hsq2600ctl as a new user would, to see it seed the
# user's own configuration from the shipped defaults; then builds the Debian package and lists
# it.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "$*"
  failures=$((failures + 1))
}

installed=(
  bin/hsq2600 bin/hsq2600ctl bin/hsq2600-sim
  share/hsq2600/SystemINI/2600Info.ini share/hsq2600/SystemINI/Input.ini
  share/hsq2600/SystemINI/Output1.ini share/hsq2600/SystemINI/Output2.ini
  share/hsq2600/SystemINI/Timer.ini
  share/applications/hsq2600.desktop
  share/icons/hicolor/scalable/apps/hsq2600.svg
  lib/systemd/user/hsq2600-timers.service
)

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${installed[@]}"; do
  [[ -f $prefix/$file ]] || fail "cmake --install: no $file"
done
# The build's own configuration beside its programs would shadow the user's.
[[ -e $prefix/bin/SystemINI ]] && fail "cmake --install: a SystemINI beside the programs"
unit=$prefix/lib/systemd/user/hsq2600-timers.service
grep -qx "ExecStart=$prefix/bin/hsq2600ctl timers run" "$unit" ||
  fail "the unit does not start $prefix/bin/hsq2600ctl timers run"
desktop-file-validate "$prefix/share/applications/hsq2600.desktop" ||
  fail "the desktop entry is not valid"

# A first start with only the user's own 2600Info.ini, named as a copy from Windows may be and
# naming a port that is not there: the other files come from the prefix, the user's file stays
# alone, and the line is the one it names. Should the shipped file be read instead, its port is
# no real device either.
sed -i "s|^Comport=[^\r]*|Comport=$work/shipped-port|" "$prefix/share/hsq2600/SystemINI/2600Info.ini"
home=$work/home
own=$home/.config/hsq2600/SystemINI
mkdir -p "$own"
printf '[Connect]\r\nSerialTcp=1\r\nComport=%s/no-such-port\r\n' "$work" >"$own/2600info.ini"
cp "$own/2600info.ini" "$work/2600info.ini.before"
if env -u HSQ2600_CONFIG_DIR -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$work" \
    "$prefix/bin/hsq2600ctl" status >/dev/null 2>"$work/err"; then
  fail "hsq2600ctl status succeeded on a port that is not there"
fi
grep -q "cannot open the serial port $work/no-such-port" "$work/err" ||
  fail "hsq2600ctl did not take its line from $own: $(cat "$work/err")"
cmp -s "$own/2600info.ini" "$work/2600info.ini.before" || fail "the user's 2600info.ini was changed"
for name in Input.ini Output1.ini Output2.ini Timer.ini; do
  cmp -s "$own/$name" "$prefix/share/hsq2600/SystemINI/$name" || fail "$name was not seeded"
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
package=$(echo "$work"/package/hsq2600_*.deb)
listing=$(dpkg-deb -c "$package")
for file in "${installed[@]}"; do
  grep -q " \./usr/$file\$" <<<"$listing" || fail "the package holds no /usr/$file"
done
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6core6 libstdc++6 qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
dpkg-deb --fsys-tarfile "$package" | tar -xOf - ./usr/lib/systemd/user/hsq2600-timers.service |
  grep -x "ExecStart=/usr/bin/hsq2600ctl timers run" >/dev/null ||
  fail "the packaged unit does not start /usr/bin/hsq2600ctl timers run"

exit $((failures > 0))

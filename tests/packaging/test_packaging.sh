#!/usr/bin/env bash
# The installed files, checked one by one in scratch folders.
#   install: cmake --install into a temporary prefix puts exactly the expected files there, and
#            each is sound: the desktop entry and the metainfo validate, the man pages render,
#            the icons have their sizes, the completion completes.
#   deb:     CPack builds the .deb from the build tree; its contents are those files under /usr,
#            its dependencies come from the shared libraries, and unpacked into a scratch root
#            (dpkg -x) the tree passes the same checks.
# Usage: test_packaging.sh install|deb BUILD_DIR
set -euo pipefail
mode="$1"
build="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT


fail() { echo "FAIL: $*" >&2; exit 1; }

expected_files() {
  cat <<'LIST'
bin/quillbox
bin/quillbox-cli
share/applications/org.quillbox.Quillbox.desktop
share/bash-completion/completions/quillbox-cli
share/icons/hicolor/128x128/apps/quillbox.png
share/icons/hicolor/16x16/apps/quillbox.png
share/icons/hicolor/22x22/apps/quillbox.png
share/icons/hicolor/24x24/apps/quillbox.png
share/icons/hicolor/256x256/apps/quillbox.png
share/icons/hicolor/32x32/apps/quillbox.png
share/icons/hicolor/48x48/apps/quillbox.png
share/icons/hicolor/64x64/apps/quillbox.png
share/icons/hicolor/scalable/apps/quillbox.svg
share/man/man1/quillbox-cli.1
share/man/man1/quillbox.1
share/metainfo/org.quillbox.Quillbox.metainfo.xml
LIST
}

# Width and height of a PNG from its header, as "WxH".
png_size() {
  local hex
  hex=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
  echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}

check_installed() {
  local root="$1"
  local got
  got=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
  [ "$got" = "$(expected_files | LC_ALL=C sort)" ] \
    || fail "installed files differ:"$'\n'"$(diff <(expected_files | LC_ALL=C sort) <(echo "$got"))"

  [ -x "$root/bin/quillbox" ] && [ -x "$root/bin/quillbox-cli" ] || fail "programs not executable"
  "$root/bin/quillbox-cli" --version | grep -q '^quillbox-cli [0-9]' || fail "quillbox-cli --version"
  "$root/bin/quillbox" --version | grep -q '^quillbox [0-9]' || fail "quillbox --version"

  for png in "$root"/share/icons/hicolor/*x*/apps/quillbox.png; do
    local dir size
    dir=$(basename "$(dirname "$(dirname "$png")")")
    size=$(png_size "$png")
    [ "$size" = "$dir" ] || fail "$png is $size"
  done
  grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/quillbox.svg" || fail "icon is no SVG"

  local desktop="$root/share/applications/org.quillbox.Quillbox.desktop"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
  fi
  grep -qx 'Categories=Utility;' "$desktop" || fail "desktop entry: categories"
  grep -qx 'Exec=quillbox' "$desktop" || fail "desktop entry: Exec"
  grep -qx 'Icon=quillbox' "$desktop" || fail "desktop entry: Icon"
  grep -qx 'StartupWMClass=quillbox' "$desktop" || fail "desktop entry: StartupWMClass"
  local metainfo="$root/share/metainfo/org.quillbox.Quillbox.metainfo.xml"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  fi
  grep -q '<launchable type="desktop-id">org.quillbox.Quillbox.desktop</launchable>' "$metainfo" \
    || fail "metainfo names no desktop entry"
  grep -q '@PROJECT_VERSION@' "$metainfo" "$root"/share/man/man1/* && fail "unconfigured version"

  local page warnings
  for page in quillbox quillbox-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
    LC_ALL=C.UTF-8 man -l "$root/share/man/man1/$page.1" 2>/dev/null | grep -q "^NAME" \
      || fail "man page $page does not render"
  done

  # The completion offers the CLI's commands, taken from the installed program.
  local words
  words=$(bash -c 'source "$1"; COMP_WORDS=("$2" tr); COMP_CWORD=1; _quillbox_cli
                   printf "%s\n" "${COMPREPLY[@]}"' _ \
          "$root/share/bash-completion/completions/quillbox-cli" "$root/bin/quillbox-cli")
  [ "$words" = "tree" ] || fail "completion of 'tr' gave: $words"
  words=$(bash -c 'source "$1"; COMP_WORDS=("$2" --home /tmp --ve); COMP_CWORD=3; _quillbox_cli
                   printf "%s\n" "${COMPREPLY[@]}"' _ \
          "$root/share/bash-completion/completions/quillbox-cli" "$root/bin/quillbox-cli")
  [ "$words" = "--version" ] || fail "completion of '--ve' gave: $words"
}

install_into_prefix() {
  local prefix="$work/prefix"
  cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "install"; }
  check_installed "$prefix"
  echo "install: $(expected_files | wc -l) files checked"
}

build_deb() {
  (cd "$build" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log"; fail "cpack"; }
  local deb depends lib
  deb=$(ls "$work"/quillbox_*.deb)
  echo "== contents of $(basename "$deb")"
  dpkg-deb -c "$deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for lib in libqt6widgets6 libqt6svg6 libicu libc6 libx11-6 libxtst6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
  done
  [ "$(dpkg-deb -f "$deb" Package)" = quillbox ] || fail "package name"
  mkdir "$work/root"
  dpkg -x "$deb" "$work/root"
  [ -z "$(ls -A "$work/root" | grep -vx usr)" ] || fail "files outside /usr: $(ls "$work/root")"
  check_installed "$work/root/usr"
  echo "deb: $(expected_files | wc -l) files checked"
}

case "$mode" in
  install) install_into_prefix ;;
  deb) build_deb ;;
  *) fail "unknown mode $mode" ;;
esac

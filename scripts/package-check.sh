#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured and built tree, lists it, runs
# Debian's package checker on it (lintian: no error, no warning), checks its
# desktop entry, metainfo, icons, copyright file and changelog, unpacks it into
# a scratch root and runs every program in its /usr/bin with --help (each has
# one, in Portuguese, and a manual page), and `viga --version`.
#   scripts/package-check.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
versao=${2:?project version}
id=br.com.example.viga
tmp=$(mktemp -d /tmp/viga-pkg.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
falhas=0
falha() { echo "FALHA: $*" >&2; falhas=$((falhas + 1)); }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log" >&2
  exit 1
}
deb=$(ls "$tmp"/out/viga_*.deb)
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb"
echo "== conteúdo"
dpkg-deb --contents "$deb" | awk '{print $3, $6}' | tee "$tmp/lista"

[ "$(dpkg-deb --field "$deb" Package)" = viga ] || falha "nome do pacote"
[ "$(dpkg-deb --field "$deb" Version)" = "$versao" ] || falha "versão do pacote"
depends=$(dpkg-deb --field "$deb" Depends)
for d in libqt6core6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql libqt6gui6 libc6 \
  libqt6printsupport6 libcups2 libcurl4 qt6-translations-l10n fonts-liberation2 ca-certificates \
  libgstreamer1.0-0 gstreamer1.0-plugins-base gstreamer1.0-plugins-good libmodbus5; do
  grep -Eq "(^|, )$d( |,|$)" <<<"$depends" || falha "Depends sem $d: $depends"
done

# Every program installed, the three of the first release at least.
programas=$(sed -n 's|^[0-9]* \./usr/bin/\([^/]\{1,\}\)$|\1|p' "$tmp/lista" | sort)
echo "== programas: $(echo $programas)"
for b in viga viga-scale-sim viga-io-sim viga-demo; do
  grep -qx "$b" <<<"$programas" || falha "falta usr/bin/$b"
done
for f in usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/48x48/apps/$id.png \
  usr/share/icons/hicolor/256x256/apps/$id.png \
  usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml \
  usr/share/doc/viga/copyright usr/share/doc/viga/changelog.gz usr/share/doc/viga/guia.md.gz; do
  grep -q " \./$f$" "$tmp/lista" || falha "falta $f"
done
for b in $programas; do
  grep -q " \./usr/share/man/man1/$b.1.gz$" "$tmp/lista" || falha "falta o manual de $b (usr/share/man/man1/$b.1.gz)"
done
if grep -v ' \./usr/' "$tmp/lista" | grep -v ' \./$' | grep -q .; then
  falha "arquivos fora de /usr: $(grep -v ' \./usr/' "$tmp/lista" | grep -v ' \./$' | tr '\n' ' ')"
fi

echo "== lintian"
# What a distribution would see; informational notes are shown, not failed.
lintian_rc=0
lintian --fail-on error,warning --display-level '>=info' --tag-display-limit 0 "$deb" >"$tmp/lintian.saida" 2>&1 ||
  lintian_rc=$?
grep -v 'running with root privileges is not recommended' "$tmp/lintian.saida" >"$tmp/lintian" || true
cat "$tmp/lintian"
[ "$lintian_rc" -eq 0 ] || falha "lintian terminou com $lintian_rc"
grep -Eq '^[EW]: ' "$tmp/lintian" && falha "lintian: $(grep -Ec '^[EW]: ' "$tmp/lintian") erro(s) ou aviso(s)"

raiz=$tmp/raiz
dpkg-deb -x "$deb" "$raiz"
echo "== licença e histórico"
copyright=$raiz/usr/share/doc/viga/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  falha "copyright fora do formato legível por máquina (DEP-5)"
grep -qx 'License: GPL-3+' "$copyright" || falha "copyright sem License: GPL-3+"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$raiz/usr/share/metainfo/$id.metainfo.xml" ||
  falha "metainfo sem project_license GPL-3.0-or-later"
grep -q "<release version=\"$versao\"" "$raiz/usr/share/metainfo/$id.metainfo.xml" ||
  falha "metainfo sem a versão $versao nos releases"
primeira=$(zcat "$raiz/usr/share/doc/viga/changelog.gz" 2>/dev/null | head -1) || true
[ "$primeira" = "viga ($versao) unstable; urgency=medium" ] || falha "changelog.gz começa com '$primeira'"
echo "== desktop-file-validate"
desktop-file-validate "$raiz/usr/share/applications/$id.desktop" || falha "entrada de menu inválida"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$raiz/usr/share/metainfo/$id.metainfo.xml" || falha "metainfo inválido"
for px in 48 256; do
  file "$raiz/usr/share/icons/hicolor/${px}x${px}/apps/$id.png" | grep -q "PNG image data, $px x $px" ||
    falha "ícone de $px px"
done
for b in $programas; do
  file "$raiz/usr/bin/$b" | grep -q 'not stripped' && falha "$b não foi reduzido (strip)"
done
echo "== manuais"
for m in $programas; do
  avisos=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$raiz/usr/share/man/man1/$m.1.gz" 2>&1 >"$tmp/$m.txt") ||
    falha "man $m"
  [ -z "$avisos" ] || falha "man $m: $avisos"
  grep -q "^NOME" "$tmp/$m.txt" || falha "man $m sem NOME"
done
grep -q VIGA_HOME "$tmp/viga.txt" || falha "man viga não fala de VIGA_HOME"
grep -q 'viga.ini' "$tmp/viga.txt" || falha "man viga não fala do viga.ini"
# Every section of viga.ini the programs read, and every command under VEJA TAMBÉM.
for secao in database serial printer email balanca cameras auditoria portaria ui; do
  grep -q "\[$secao\]" "$tmp/viga.txt" || falha "man viga não descreve a seção [$secao]"
done
for b in $programas; do
  [ "$b" = viga ] && continue
  sed -n '/^VEJA TAMBÉM/,$p' "$tmp/viga.txt" | grep -q "$b(1)" || falha "man viga: VEJA TAMBÉM sem $b(1)"
done
zcat "$raiz/usr/share/doc/viga/guia.md.gz" | grep -q '^# Guia do VIGA' || falha "guia.md.gz ilegível"

echo "== $raiz/usr/bin/viga --version"
saida=$(env -u DISPLAY -u WAYLAND_DISPLAY "$raiz/usr/bin/viga" --version) || falha "viga --version terminou com erro"
echo "$saida"
[ "$saida" = "viga $versao" ] || falha "viga --version: '$saida', esperado 'viga $versao'"
echo "== --help"
# Without a display and in an empty folder: the help never opens a window nor
# creates anything where it runs.
vazia=$tmp/vazia
for b in $programas; do
  mkdir "$vazia"
  if ajuda=$(cd "$vazia" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$vazia" \
    timeout 30 "$raiz/usr/bin/$b" --help 2>"$tmp/ajuda.err"); then
    head -1 <<<"$ajuda" | grep -q "^Uso: $b\( \|$\)" || falha "$b --help não começa com 'Uso: $b': $(head -1 <<<"$ajuda")"
    [ ! -s "$tmp/ajuda.err" ] || falha "$b --help escreveu erros: $(cat "$tmp/ajuda.err")"
  else
    falha "$b --help terminou com erro: $(cat "$tmp/ajuda.err")"
  fi
  [ -z "$(ls -A "$vazia")" ] || falha "$b --help criou $(ls -A "$vazia" | tr '\n' ' ')"
  rm -rf "$vazia"
done

if [ "$falhas" -ne 0 ]; then
  echo "$falhas falha(s)" >&2
  exit 1
fi
echo "pacote ok"

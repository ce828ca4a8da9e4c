#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, lists it, checks
# its desktop entry, metainfo, icons and manual pages, unpacks it into a
# scratch root and runs the unpacked `viga --version`.
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
for d in libqt6core6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql libqt6gui6 libc6 fonts-liberation2 \
  qt6-translations-l10n libgstreamer1.0-0 gstreamer1.0-plugins-base gstreamer1.0-plugins-good; do
  grep -Eq "(^|, )$d( |,|$)" <<<"$depends" || falha "Depends sem $d: $depends"
done

for f in usr/bin/viga usr/bin/viga-scale-sim usr/bin/viga-demo usr/bin/viga-auditoria usr/bin/viga-relatorio \
  usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/48x48/apps/$id.png \
  usr/share/icons/hicolor/256x256/apps/$id.png \
  usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml \
  usr/share/man/man1/viga.1.gz usr/share/man/man1/viga-scale-sim.1.gz usr/share/man/man1/viga-demo.1.gz \
  usr/share/man/man1/viga-auditoria.1.gz usr/share/man/man1/viga-relatorio.1.gz; do
  grep -q " \./$f$" "$tmp/lista" || falha "falta $f"
done
if grep -v ' \./usr/' "$tmp/lista" | grep -v ' \./$' | grep -q .; then
  falha "arquivos fora de /usr: $(grep -v ' \./usr/' "$tmp/lista" | grep -v ' \./$' | tr '\n' ' ')"
fi

raiz=$tmp/raiz
dpkg-deb -x "$deb" "$raiz"
echo "== desktop-file-validate"
desktop-file-validate "$raiz/usr/share/applications/$id.desktop" || falha "entrada de menu inválida"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$raiz/usr/share/metainfo/$id.metainfo.xml" || falha "metainfo inválido"
for px in 48 256; do
  file "$raiz/usr/share/icons/hicolor/${px}x${px}/apps/$id.png" | grep -q "PNG image data, $px x $px" ||
    falha "ícone de $px px"
done
for b in viga viga-scale-sim viga-demo viga-auditoria viga-relatorio; do
  file "$raiz/usr/bin/$b" | grep -q 'not stripped' && falha "$b não foi reduzido (strip)"
done
echo "== manuais"
for m in viga viga-scale-sim viga-demo viga-auditoria viga-relatorio; do
  avisos=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$raiz/usr/share/man/man1/$m.1.gz" 2>&1 >"$tmp/$m.txt") ||
    falha "man $m"
  [ -z "$avisos" ] || falha "man $m: $avisos"
  grep -q "^NOME" "$tmp/$m.txt" || falha "man $m sem NOME"
done
grep -q VIGA_HOME "$tmp/viga.txt" || falha "man viga não fala de VIGA_HOME"
grep -q 'viga.ini' "$tmp/viga.txt" || falha "man viga não fala do viga.ini"

echo "== $raiz/usr/bin/viga --version"
saida=$(env -u DISPLAY -u WAYLAND_DISPLAY "$raiz/usr/bin/viga" --version) || falha "viga --version terminou com erro"
echo "$saida"
[ "$saida" = "viga $versao" ] || falha "viga --version: '$saida', esperado 'viga $versao'"
"$raiz/usr/bin/viga-scale-sim" --help | grep -q '^Uso: viga-scale-sim' || falha "viga-scale-sim --help"
"$raiz/usr/bin/viga-auditoria" --help | grep -q '^Uso: viga-auditoria' || falha "viga-auditoria --help"
env -u DISPLAY -u WAYLAND_DISPLAY "$raiz/usr/bin/viga-relatorio" --help | grep -q '^  viga-relatorio movimento' ||
  falha "viga-relatorio --help"

if [ "$falhas" -ne 0 ]; then
  echo "$falhas falha(s)" >&2
  exit 1
fi
echo "pacote ok"

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns CHANGELOG.md into the package's changelog and the metainfo releases.

    changelog.py CHANGELOG.md VERSION MAINTAINER DEBIAN_OUT METAINFO_IN METAINFO_OUT

DEBIAN_OUT gets the Debian changelog (the package is native, so this is
usr/share/doc/viga/changelog.gz once compressed); METAINFO_OUT is METAINFO_IN
with @VIGA_RELEASES@ replaced by one <release> per version. The newest version
in CHANGELOG.md must be VERSION: a release never ships without its notes.
"""
import datetime
import email.utils
import html
import re
import sys
import textwrap

CABECALHO = re.compile(r"^## (\S+) [—-] (\d{4}-\d{2}-\d{2})\s*$")
SECAO = re.compile(r"^### (.+?)\s*$")


class Erro(Exception):
    pass


def le(caminho):
    """[(version, date, [(section, [item text])])], newest first."""
    versoes = []
    with open(caminho, encoding="utf-8") as f:
        linhas = f.read().splitlines()
    item = None
    for n, linha in enumerate(linhas, 1):
        onde = f"{caminho}:{n}"
        if linha.startswith("## "):
            m = CABECALHO.match(linha)
            if not m:
                raise Erro(f"{onde}: version heading must read '## VERSION — YYYY-MM-DD'")
            try:
                data = datetime.date.fromisoformat(m.group(2))
            except ValueError:
                raise Erro(f"{onde}: invalid date {m.group(2)}") from None
            versoes.append((m.group(1), data, []))
            item = None
        elif not versoes:
            continue  # the file's own introduction
        elif linha.startswith("### "):
            versoes[-1][2].append((SECAO.match(linha).group(1), []))
            item = None
        elif linha.startswith("- "):
            if not versoes[-1][2]:
                raise Erro(f"{onde}: item outside a '### ' section")
            item = [linha[2:].strip()]
            versoes[-1][2][-1][1].append(item)
        elif linha.startswith("  ") and linha.strip() and item is not None:
            item.append(linha.strip())
        elif linha.strip():
            raise Erro(f"{onde}: expected '- ' item, '### ' section or '## ' version: {linha!r}")
        else:
            item = None
    resultado = []
    vistos = set()
    for versao, data, secoes in versoes:
        if versao in vistos:
            raise Erro(f"{caminho}: version {versao} appears twice")
        vistos.add(versao)
        secoes = [(s, [" ".join(i) for i in itens]) for s, itens in secoes if itens]
        if not secoes:
            raise Erro(f"{caminho}: version {versao} has no items")
        resultado.append((versao, data, secoes))
    if not resultado:
        raise Erro(f"{caminho}: no '## VERSION — YYYY-MM-DD' heading")
    for (v1, d1, _), (v2, d2, _) in zip(resultado, resultado[1:]):
        if d1 < d2:
            raise Erro(f"{caminho}: version {v1} ({d1}) is listed above the later {v2} ({d2})")
    return resultado


def texto_simples(s):
    """Markdown emphasis and code marks out, for plain text."""
    s = re.sub(r"\*\*(.+?)\*\*", r"\1", s)
    return re.sub(r"`([^`]+)`", r"\1", s)


def debian(versoes, mantenedor):
    saida = []
    for versao, data, secoes in versoes:
        saida.append(f"viga ({versao}) unstable; urgency=medium")
        saida.append("")
        for secao, itens in secoes:
            saida.append(f"  [ {secao} ]")
            for i in itens:
                saida.extend(
                    textwrap.wrap(
                        texto_simples(i),
                        width=78,
                        initial_indent="  * ",
                        subsequent_indent="    ",
                        break_on_hyphens=False,
                        break_long_words=False,
                    )
                )
            saida.append("")
        quando = datetime.datetime.combine(data, datetime.time(12, 0), datetime.timezone.utc)
        saida.append(f" -- {mantenedor}  {email.utils.format_datetime(quando)}")
        saida.append("")
    return "\n".join(saida)


def releases(versoes):
    saida = ["<releases>"]
    for versao, data, secoes in versoes:
        saida.append(f'    <release version="{html.escape(versao)}" date="{data.isoformat()}">')
        saida.append("      <description>")
        for secao, itens in secoes:
            saida.append(f"        <p>{html.escape(texto_simples(secao))}</p>")
            saida.append("        <ul>")
            for i in itens:
                saida.append(f"          <li>{html.escape(texto_simples(i), quote=False)}</li>")
            saida.append("        </ul>")
        saida.append("      </description>")
        saida.append("    </release>")
    saida.append("  </releases>")
    return "\n".join(saida)


def main(argv):
    if len(argv) != 7:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    _, origem, versao, mantenedor, destino_debian, modelo, destino_metainfo = argv
    try:
        versoes = le(origem)
        if versoes[0][0] != versao:
            raise Erro(
                f"{origem}: the newest version is {versoes[0][0]}, the project is {versao}: "
                f"add '## {versao} — YYYY-MM-DD' with what changed"
            )
        with open(modelo, encoding="utf-8") as f:
            metainfo = f.read()
        if "@VIGA_RELEASES@" not in metainfo:
            raise Erro(f"{modelo}: no @VIGA_RELEASES@ to replace")
        metainfo = metainfo.replace("@VIGA_RELEASES@", releases(versoes))
    except (Erro, OSError) as e:
        print(f"changelog.py: {e}", file=sys.stderr)
        return 1
    with open(destino_debian, "w", encoding="utf-8") as f:
        f.write(debian(versoes, mantenedor))
    with open(destino_metainfo, "w", encoding="utf-8") as f:
        f.write(metainfo)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

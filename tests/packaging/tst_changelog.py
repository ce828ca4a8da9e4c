#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""CHANGELOG.md into the package's changelog and the metainfo releases:
what dpkg and AppStream read from them, and the faults that stop the build."""
import os
import subprocess
import sys
import tempfile
import unittest

RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GERADOR = os.path.join(RAIZ, "packaging", "changelog.py")
MODELO = os.path.join(RAIZ, "packaging", "br.com.example.viga.metainfo.xml")
MANTENEDOR = "VIGA <suporte@viga.example.com.br>"

DUAS_VERSOES = """# Histórico

Introdução com `## código` no meio da linha.

## 1.1.0.0 — 2027-03-01

### Novo

- Relatório de pesagens por placa & por motorista, com <filtro> de datas e
  uma linha longa o bastante para ser quebrada em mais de uma linha no
  changelog do Debian, que não passa de 80 colunas.

### Corrigido

- `viga-demo --help` mostra a ajuda.

## 1.0.0.1 — 2026-12-10

### Novo

- Primeira versão.
"""


def gera(texto, versao):
    with tempfile.TemporaryDirectory() as d:
        origem = os.path.join(d, "CHANGELOG.md")
        with open(origem, "w", encoding="utf-8") as f:
            f.write(texto)
        deb = os.path.join(d, "changelog")
        meta = os.path.join(d, "viga.metainfo.xml")
        r = subprocess.run(
            [sys.executable, GERADOR, origem, versao, MANTENEDOR, deb, MODELO, meta],
            capture_output=True,
            text=True,
        )
        saida = {"rc": r.returncode, "erro": r.stderr}
        if r.returncode == 0:
            saida["parse"] = subprocess.run(
                ["dpkg-parsechangelog", "-l", deb, "--all"], capture_output=True, text=True, check=True
            ).stdout
            saida["valida"] = subprocess.run(
                ["appstreamcli", "validate", "--no-net", meta], capture_output=True, text=True
            )
            with open(deb, encoding="utf-8") as f:
                saida["debian"] = f.read()
            with open(meta, encoding="utf-8") as f:
                saida["metainfo"] = f.read()
        return saida


class TstChangelog(unittest.TestCase):
    def test_duas_versoes(self):
        s = gera(DUAS_VERSOES, "1.1.0.0")
        self.assertEqual(s["rc"], 0, s["erro"])
        self.assertIn("Version: 1.1.0.0\n", s["parse"])
        self.assertIn("Maintainer: " + MANTENEDOR, s["parse"])
        self.assertIn("Date: Mon, 01 Mar 2027 12:00:00 +0000", s["parse"])
        self.assertIn(" viga (1.0.0.1) unstable; urgency=medium", s["parse"])
        self.assertEqual([l for l in s["debian"].splitlines() if len(l) > 80], [])
        self.assertIn("  [ Corrigido ]\n  * viga-demo --help mostra a ajuda.\n", s["debian"])
        self.assertEqual(s["valida"].returncode, 0, s["valida"].stdout)
        self.assertIn('<release version="1.1.0.0" date="2027-03-01">', s["metainfo"])
        self.assertIn("por placa &amp; por motorista, com &lt;filtro&gt; de datas", s["metainfo"])
        self.assertLess(s["metainfo"].index('"1.1.0.0"'), s["metainfo"].index('"1.0.0.1"'))

    def test_o_changelog_do_projeto(self):
        versao = None
        with open(os.path.join(RAIZ, "CMakeLists.txt"), encoding="utf-8") as f:
            for linha in f:
                if linha.startswith("project(viga VERSION "):
                    versao = linha.split()[2]
        with open(os.path.join(RAIZ, "CHANGELOG.md"), encoding="utf-8") as f:
            s = gera(f.read(), versao)
        self.assertEqual(s["rc"], 0, s["erro"])
        self.assertEqual(s["valida"].returncode, 0, s["valida"].stdout)

    def test_faltas_param_a_montagem(self):
        casos = {
            "versão do projeto sem notas": (DUAS_VERSOES, "1.2.0.0", "the newest version is 1.1.0.0"),
            "título sem data": ("## 1.0.0.1\n\n### Novo\n\n- x\n", "1.0.0.1", "YYYY-MM-DD"),
            "data impossível": ("## 1.0.0.1 — 2026-02-30\n\n### Novo\n\n- x\n", "1.0.0.1", "invalid date"),
            "versão sem itens": ("## 1.0.0.1 — 2026-12-10\n\n### Novo\n", "1.0.0.1", "has no items"),
            "item fora de seção": ("## 1.0.0.1 — 2026-12-10\n\n- x\n", "1.0.0.1", "outside a '### ' section"),
            "versão repetida": (
                "## 1.0.0.1 — 2026-12-10\n### Novo\n- x\n## 1.0.0.1 — 2026-12-09\n### Novo\n- y\n",
                "1.0.0.1",
                "appears twice",
            ),
            "ordem das datas": (
                "## 1.0.0.2 — 2026-12-01\n### Novo\n- x\n## 1.0.0.1 — 2026-12-10\n### Novo\n- y\n",
                "1.0.0.2",
                "is listed above the later",
            ),
            "linha solta": ("## 1.0.0.1 — 2026-12-10\n### Novo\n- x\ntexto solto\n", "1.0.0.1", "expected '- ' item"),
        }
        for nome, (texto, versao, mensagem) in casos.items():
            with self.subTest(nome):
                s = gera(texto, versao)
                self.assertEqual(s["rc"], 1)
                self.assertIn(mensagem, s["erro"])


if __name__ == "__main__":
    unittest.main()

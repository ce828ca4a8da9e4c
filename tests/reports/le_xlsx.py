# SPDX-License-Identifier: GPL-3.0-or-later
# Prints every cell of an .xlsx as "SHEET<TAB>REF<TAB>TYPE<TAB>VALUE<TAB>FORMAT":
# TYPE n (number) or s (text); FORMAT is the number format of the cell's style.
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
z = zipfile.ZipFile(sys.argv[1])
textos = []
if "xl/sharedStrings.xml" in z.namelist():
    for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
        textos.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
estilos = ET.fromstring(z.read("xl/styles.xml"))
formatos = {int(f.get("numFmtId")): f.get("formatCode") for f in estilos.iter("{%s}numFmt" % NS["m"])}
xfs = [int(x.get("numFmtId", "0")) for x in estilos.find("m:cellXfs", NS).findall("m:xf", NS)]
folhas = sorted((n for n in z.namelist() if re.match(r"xl/worksheets/sheet\d+\.xml$", n)),
                key=lambda n: int(re.findall(r"\d+", n)[0]))
for nome in folhas:
    for c in ET.fromstring(z.read(nome)).iter("{%s}c" % NS["m"]):
        v = c.find("m:v", NS)
        is_ = c.find("m:is", NS)
        tipo = c.get("t", "n")
        if tipo == "s":
            valor = textos[int(v.text)]
        elif tipo == "inlineStr":
            tipo, valor = "s", "".join(t.text or "" for t in is_.iter("{%s}t" % NS["m"]))
        else:
            valor = v.text if v is not None else ""
        fmt = formatos.get(xfs[int(c.get("s", "0"))], "")
        print("\t".join([nome.split("/")[-1], c.get("r"), tipo, valor, fmt]))

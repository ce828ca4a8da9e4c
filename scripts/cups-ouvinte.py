#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The printer at the end of the test queue: accepts connections on a free local
port and keeps every job's bytes in DIR/job-N.prn. Prints the port, then serves."""
import os
import socket
import sys

pasta = sys.argv[1]
os.makedirs(pasta, exist_ok=True)
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", 0))
s.listen(8)
print(s.getsockname()[1], flush=True)
n = 0
while True:
    c, _ = s.accept()
    partes = []
    while True:
        bloco = c.recv(65536)
        if not bloco:
            break
        partes.append(bloco)
    c.close()
    dados = b"".join(partes)
    if not dados:
        continue
    n += 1
    tmp = os.path.join(pasta, ".job-%d.tmp" % n)
    with open(tmp, "wb") as f:
        f.write(dados)
    os.rename(tmp, os.path.join(pasta, "job-%d.prn" % n))

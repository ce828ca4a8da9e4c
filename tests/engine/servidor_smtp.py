#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Local SMTP server for the e-mail tests.

servidor_smtp.py PASTA USUARIO SENHA [CERTIFICADO CHAVE]

Listens on a free port of 127.0.0.1, prints that port on one line and keeps
every message it receives as PASTA/NNN.json: the envelope (sender and
recipients), the login used, the authentication mechanism, whether the
session was under TLS and the message bytes in base64. Accepts only the given
login. With a certificate and key it offers STARTTLS. Ends when its standard
input closes.
"""
import base64
import json
import logging
import os
import socket
import ssl
import sys
import warnings

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

# AUTH without TLS is what the plain-text tests exercise: no warnings about it.
warnings.simplefilter("ignore")
logging.disable(logging.CRITICAL)

pasta, usuario, senha = sys.argv[1], sys.argv[2], sys.argv[3]
contexto = None
if len(sys.argv) > 5:
    contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    contexto.load_cert_chain(sys.argv[4], sys.argv[5])


def autentica(server, session, envelope, mecanismo, dados):
    ok = (
        isinstance(dados, LoginPassword)
        and dados.login.decode() == usuario
        and dados.password.decode() == senha
    )
    session.mecanismo = mecanismo
    session.usuario = dados.login.decode() if isinstance(dados, LoginPassword) else None
    return AuthResult(success=ok, handled=False)


class Guarda:
    async def handle_DATA(self, server, session, envelope):
        n = len([a for a in os.listdir(pasta) if a.endswith(".json")])
        registro = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "usuario": getattr(session, "usuario", None),
            "mecanismo": getattr(session, "mecanismo", None),
            "tls": session.ssl is not None,
            "dados": base64.b64encode(envelope.original_content).decode(),
        }
        temporario = os.path.join(pasta, "%03d.tmp" % n)
        with open(temporario, "w") as f:
            json.dump(registro, f)
        os.rename(temporario, os.path.join(pasta, "%03d.json" % n))
        return "250 OK"


s = socket.socket()
s.bind(("127.0.0.1", 0))
porta = s.getsockname()[1]
s.close()

parametros = dict(authenticator=autentica, auth_require_tls=False, auth_required=True)
if contexto is not None:
    parametros.update(tls_context=contexto, require_starttls=False)
controlador = Controller(Guarda(), hostname="127.0.0.1", port=porta, **parametros)
controlador.start()
print(porta, flush=True)
sys.stdin.read()
controlador.stop()

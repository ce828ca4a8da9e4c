// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The site's mail server, section [email] of viga.ini (names in any case):
//   Servidor=smtp.exemplo.com.br   (empty: e-mail is not offered)
//   Porta=587
//   Seguranca=starttls | tls | nenhuma   (nenhuma: a server without encryption is accepted)
//   Usuario=..., Senha=..., Remetente=balanca@exemplo.com.br
//   Certificados=/etc/ssl/minha-ac.pem   (optional: the site's own certificate authority)
// The password lives only in viga.ini (readable by its owner) and is never logged.
struct ConfigEmail {
    enum Seguranca { StartTls, Tls, Nenhuma };

    QString servidor;
    int porta = 587;
    Seguranca seguranca = StartTls;
    QString usuario;
    QString senha;
    QString remetente;
    QString certificados; // Certificados=: a file of the site's own authorities, trusted besides the system's

    bool configurado() const { return !servidor.trimmed().isEmpty(); }

    // Reads the section; a value that cannot be used is said in `erro` (empty when all is
    // well) and e-mail is then not offered, rather than sent with a guessed setting.
    static ConfigEmail ler(QString* erro = nullptr);
    static ConfigEmail ler(const QString& arquivoIni, QString* erro);
    // Writes the section; false when the file could not be written.
    bool gravar() const;
    bool gravar(const QString& arquivoIni) const;

    static QString nomeSeguranca(Seguranca s);
    static bool segurancaDeNome(const QString& nome, Seguranca* s);
};

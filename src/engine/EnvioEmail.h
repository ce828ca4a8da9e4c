// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>

// What the preview hands to the e-mail window: the print job's e-mail
// settings and the report.
struct ParametrosEmail {
    QString servidor;       // eMailHost: "host" or "host:porta" (port 25 when not given)
    QString usuario;        // eMailUserName (no authentication when blank)
    QString senha;          // eMailPassword
    QString para;           // eMailPara
    QString comCopia;       // eMailComCopia
    QString comCopiaOculta; // eMailComCopiaOculta
    QString remetente;      // eMailUser: sender and reply-to address
    int seguranca = 0;      // ConfigEmail::Seguranca
    QString certificados;   // the site's own certificate authority (empty: the system's)
    QString assunto;        // ReportTitle
    QString anexo;          // path of the report file to attach
};

// Sends one e-mail over SMTP: authentication with the login and password
// (the best mechanism the server offers) and encryption as the site's settings
// say: STARTTLS required (a server that does not offer it is refused before
// anything, the password above all, is sent), TLS from the first byte (smtps),
// or, only when the site allows a plain server, STARTTLS when offered. The
// server's certificate is always verified. A MIME multipart/mixed message
// with the body as text and the report file as a base64 part named after the
// file. Blind copies go only into the envelope. Blocks until the server has
// answered (connect time-out 30 s; a transfer that stalls for 60 s fails).
//
//   EnvioEmail e;
//   e.servidor = "smtp.exemplo.com.br"; e.usuario = ...; e.senha = ...;
//   e.remetente = "balanca@exemplo.com.br";
//   e.para = "a@x.com, b@y.com"; e.assunto = ...; e.mensagem = ...;
//   e.anexo = "/tmp/.../Relatorio.pdf";
//   if (!e.enviar()) qWarning() << e.erro();
class EnvioEmail
{
public:
    EnvioEmail() = default;
    EnvioEmail(const EnvioEmail& o) { *this = o; }
    EnvioEmail& operator=(const EnvioEmail& o);

    enum Prioridade { Alta, Normal, Baixa };

    QString servidor;
    int porta = 25; // used when `servidor` names no port
    QString usuario;
    QString senha;
    QString remetente;
    QString para;           // addresses separated by commas (or semicolons)
    QString comCopia;       // likewise
    QString comCopiaOculta; // likewise; never written in the headers
    QString assunto;
    QString mensagem; // the body; line breaks become CR LF
    Prioridade prioridade = Alta;
    bool confirmacaoLeitura = false; // Disposition-Notification-To: remetente
    QString anexo;
    // Certificates to trust for STARTTLS in place of the system's (a site's own CA).
    QString certificadosConfiaveis;

    int seguranca = 0; // ConfigEmail::Seguranca: StartTls, Tls or Nenhuma
    // Set from another thread to stop a send under way (enviar() then fails).
    std::atomic<bool> cancelar{false};

    // True when the server accepted the message. May run on a worker thread.
    bool enviar();
    // Why the last send failed, with the server's last answer when it gave one;
    // empty after a success. The password never appears in it.
    QString erro() const { return m_erro; }
    // The server's last reply line (for example "535 5.7.8 Authentication credentials invalid").
    QString respostaServidor() const { return m_resposta; }
    bool cancelado() const { return m_cancelado; }

    // The header lines of the message (without the MIME ones libcurl adds).
    QList<QByteArray> cabecalhos() const;
    // The addresses of a field: split at commas and semicolons, trimmed, without blanks.
    static QStringList enderecos(const QString& campo);
    // A header value, RFC 2047-encoded (UTF-8, base64) when it is not plain ASCII.
    static QByteArray codificaCabecalho(const QString& valor);

private:
    QString m_erro;
    QString m_resposta;
    bool m_cancelado = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A real SMTP server for the e-mail tests (tests/engine/servidor_smtp.py on
// aiosmtpd), on a free port of 127.0.0.1, that accepts only the login
// "balanca"/"s3nha" and keeps every message it receives. With `tls` it offers
// STARTTLS with a self-signed certificate made for 127.0.0.1.
class ServidorSmtp
{
public:
    struct Recebida {
        QString de;
        QStringList para;
        QString usuario;
        QString mecanismo;
        bool tls = false;
        QByteArray dados;
    };

    explicit ServidorSmtp(bool tls = false)
    {
        QStringList args{QFINDTESTDATA("servidor_smtp.py"), m_pasta.filePath("caixa"), "balanca", "s3nha"};
        QDir(m_pasta.path()).mkdir("caixa");
        if (tls) {
            QProcess::execute("openssl",
                              {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                               "-nodes", "-keyout", m_pasta.filePath("chave.pem"), "-out", certificado(),
                               "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                               "subjectAltName=IP:127.0.0.1"});
            args << certificado() << m_pasta.filePath("chave.pem");
        }
        // The system's interpreter carries aiosmtpd (another python3 may come first on PATH).
        m_proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_proc.start(QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3", args);
        if (m_proc.waitForReadyRead(20000)) {
            m_porta = m_proc.readLine().trimmed().toInt();
        }
    }
    ~ServidorSmtp()
    {
        m_proc.closeWriteChannel();
        if (!m_proc.waitForFinished(5000)) {
            m_proc.kill();
            m_proc.waitForFinished(2000);
        }
    }

    int porta() const { return m_porta; }
    QString endereco() const { return QStringLiteral("127.0.0.1:%1").arg(m_porta); }
    QString certificado() const { return m_pasta.filePath("certificado.pem"); }

    QList<Recebida> recebidas() const
    {
        QList<Recebida> r;
        QDir caixa(m_pasta.filePath("caixa"));
        for (const QString& nome : caixa.entryList({"*.json"}, QDir::Files, QDir::Name)) {
            QFile f(caixa.filePath(nome));
            f.open(QIODevice::ReadOnly);
            const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
            Recebida m;
            m.de = o["mail_from"].toString();
            for (const auto& v : o["rcpt_tos"].toArray()) {
                m.para << v.toString();
            }
            m.usuario = o["usuario"].toString();
            m.mecanismo = o["mecanismo"].toString();
            m.tls = o["tls"].toBool();
            m.dados = QByteArray::fromBase64(o["dados"].toString().toLatin1());
            r << m;
        }
        return r;
    }

private:
    QTemporaryDir m_pasta;
    QProcess m_proc;
    int m_porta = 0;
};

// A server that never answers: it listens on a free port of 127.0.0.1 and
// never accepts, so a connection is made and no greeting ever comes.
class ServidorMudo
{
public:
    ServidorMudo()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (m_socket >= 0 && ::bind(m_socket, reinterpret_cast<sockaddr*>(&a), n) == 0 &&
            ::listen(m_socket, 4) == 0 && ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&a), &n) == 0) {
            m_porta = ntohs(a.sin_port);
        }
    }
    ~ServidorMudo()
    {
        if (m_socket >= 0) ::close(m_socket);
    }
    ServidorMudo(const ServidorMudo&) = delete;
    ServidorMudo& operator=(const ServidorMudo&) = delete;

    // 0 when the socket could not be set up
    int porta() const { return m_porta; }
    QString endereco() const { return QStringLiteral("127.0.0.1:%1").arg(m_porta); }

private:
    int m_socket = -1;
    int m_porta = 0;
};

// Reads a received message: headers (unfolded) and the parts of a multipart body.
class MensagemMime
{
public:
    explicit MensagemMime(const QByteArray& bruto)
    {
        const qsizetype fim = bruto.indexOf("\r\n\r\n");
        m_cabecalho = bruto.left(fim);
        m_corpo = bruto.mid(fim + 4);
    }
    // Every value of a header, unfolded.
    QList<QByteArray> cabecalhos(const QByteArray& nome) const
    {
        QList<QByteArray> r;
        QByteArray desdobrado = m_cabecalho;
        desdobrado.replace("\r\n ", " ").replace("\r\n\t", " ");
        for (const QByteArray& l : desdobrado.split('\n')) {
            const qsizetype p = l.indexOf(':');
            if (p > 0 && l.left(p).trimmed().toLower() == nome.toLower()) {
                r << l.mid(p + 1).trimmed();
            }
        }
        return r;
    }
    QByteArray cabecalho(const QByteArray& nome) const { return cabecalhos(nome).value(0); }
    const QByteArray& corpo() const { return m_corpo; }

    QList<MensagemMime> partes() const
    {
        const QRegularExpressionMatch m = QRegularExpression("boundary=\"?([^\";]+)\"?")
                                              .match(QString::fromLatin1(cabecalho("Content-Type")));
        QList<MensagemMime> r;
        if (!m.hasMatch()) {
            return r;
        }
        const QByteArray limite = "--" + m.captured(1).toLatin1();
        for (const QByteArray& p : separa(m_corpo, limite)) {
            r << MensagemMime(p);
        }
        return r;
    }

    // The part's content, its transfer encoding undone.
    QByteArray conteudo() const
    {
        const QByteArray cte = cabecalho("Content-Transfer-Encoding").toLower();
        if (cte == "base64") {
            return QByteArray::fromBase64(m_corpo);
        }
        if (cte == "quoted-printable") {
            QByteArray r;
            for (qsizetype i = 0; i < m_corpo.size(); ++i) {
                if (m_corpo[i] == '=' && i + 2 < m_corpo.size() && m_corpo.mid(i + 1, 2) == "\r\n") {
                    i += 2;
                } else if (m_corpo[i] == '=' && i + 2 < m_corpo.size()) {
                    r += QByteArray::fromHex(m_corpo.mid(i + 1, 2));
                    i += 2;
                } else {
                    r += m_corpo[i];
                }
            }
            return r;
        }
        return m_corpo;
    }

private:
    static QList<QByteArray> separa(const QByteArray& corpo, const QByteArray& limite)
    {
        QList<QByteArray> r;
        qsizetype p = corpo.indexOf(limite);
        while (p >= 0) {
            const qsizetype inicio = corpo.indexOf("\r\n", p) + 2;
            if (corpo.mid(p + limite.size(), 2) == "--") {
                break;
            }
            const qsizetype prox = corpo.indexOf("\r\n" + limite, inicio);
            if (prox < 0) {
                break;
            }
            r << corpo.mid(inicio, prox - inicio);
            p = prox + 2;
        }
        return r;
    }

    QByteArray m_cabecalho;
    QByteArray m_corpo;
};

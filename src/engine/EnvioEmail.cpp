// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnvioEmail.h"

#include "ConfigEmail.h"
#include "Relogio.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace
{

struct LiberaCurl {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};

// Header values never carry line breaks: a typed CR or LF cannot add headers.
QString semQuebras(const QString& v)
{
    QString r = v;
    r.replace(QChar('\r'), QChar(' ')).replace(QChar('\n'), QChar(' '));
    return r.trimmed();
}

// The mailbox of an address written with a name ("Fulano <a@b.com>" → "a@b.com").
QString caixaPostal(const QString& endereco)
{
    const qsizetype abre = endereco.lastIndexOf(QChar('<'));
    const qsizetype fecha = endereco.lastIndexOf(QChar('>'));
    return abre >= 0 && fecha > abre ? endereco.mid(abre + 1, fecha - abre - 1).trimmed()
                                     : endereco.trimmed();
}

void adiciona(std::unique_ptr<curl_slist, LiberaCurl>& lista, const QByteArray& item)
{
    curl_slist* nova = curl_slist_append(lista.get(), item.constData());
    if (nova) {
        (void)lista.release();
        lista.reset(nova);
    }
}

// Keeps the server's reply lines; what the client sends (the login) is never kept.
int observa(CURL*, curl_infotype tipo, char* dados, size_t n, void* destino)
{
    if (tipo == CURLINFO_HEADER_IN) {
        const QString linha = QString::fromUtf8(dados, qsizetype(n)).trimmed();
        if (!linha.isEmpty()) *static_cast<QString*>(destino) = linha;
    }
    return 0;
}

// Why the message did not go, in the operator's words, from the library's code.
QString motivo(CURLcode r)
{
    switch (r) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return QStringLiteral("O servidor de e-mail não foi encontrado (nome errado ou sem acesso à rede).");
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral(
            "O servidor de e-mail não respondeu (desligado, porta errada ou fora da rede).");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("O servidor de e-mail recusou o usuário ou a senha.");
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        return QStringLiteral(
            "A conexão segura com o servidor de e-mail falhou (certificado não confiável).");
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return QStringLiteral("A conexão com o servidor de e-mail foi interrompida.");
    default:
        return QStringLiteral("O servidor de e-mail recusou o envio.");
    }
}

// The library's or the server's own text, cut to a line the message can show.
QString detalhe(const QString& texto)
{
    const QString t = texto.simplified();
    return t.size() > 160 ? t.left(159) + QChar(0x2026) : t;
}

int progresso(void* envio, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<std::atomic<bool>*>(envio)->load() ? 1 : 0;
}

} // namespace

EnvioEmail& EnvioEmail::operator=(const EnvioEmail& o)
{
    if (this == &o) return *this;
    servidor = o.servidor;
    porta = o.porta;
    usuario = o.usuario;
    senha = o.senha;
    remetente = o.remetente;
    para = o.para;
    comCopia = o.comCopia;
    comCopiaOculta = o.comCopiaOculta;
    assunto = o.assunto;
    mensagem = o.mensagem;
    prioridade = o.prioridade;
    confirmacaoLeitura = o.confirmacaoLeitura;
    anexo = o.anexo;
    certificadosConfiaveis = o.certificadosConfiaveis;
    seguranca = o.seguranca;
    cancelar = o.cancelar.load();
    m_erro = o.m_erro;
    m_resposta = o.m_resposta;
    m_cancelado = o.m_cancelado;
    return *this;
}

QStringList EnvioEmail::enderecos(const QString& campo)
{
    QStringList r;
    for (const QString& e : semQuebras(campo).split(QRegularExpression("[,;]"))) {
        if (!e.trimmed().isEmpty()) {
            r << e.trimmed();
        }
    }
    return r;
}

QByteArray EnvioEmail::codificaCabecalho(const QString& valor)
{
    const QString v = semQuebras(valor);
    bool simples = true;
    for (QChar c : v) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) {
            simples = false;
            break;
        }
    }
    if (simples) {
        return v.toLatin1();
    }
    // Encoded words of at most 45 bytes of UTF-8 (60 in base64), never
    // splitting a character, folded onto continuation lines.
    QByteArray r;
    QByteArray pedaco;
    auto fecha = [&] {
        if (!r.isEmpty()) {
            r += "\r\n ";
        }
        r += "=?UTF-8?B?" + pedaco.toBase64() + "?=";
        pedaco.clear();
    };
    for (qsizetype i = 0; i < v.size();) {
        const qsizetype n = v.at(i).isHighSurrogate() && i + 1 < v.size() ? 2 : 1;
        const QByteArray ch = v.mid(i, n).toUtf8();
        if (pedaco.size() + ch.size() > 45) {
            fecha();
        }
        pedaco += ch;
        i += n;
    }
    fecha();
    return r;
}

QList<QByteArray> EnvioEmail::cabecalhos() const
{
    QList<QByteArray> h;
    const QByteArray de = semQuebras(remetente).toUtf8();
    h << "Date: " + Relogio::agora().toString(Qt::RFC2822Date).toLatin1();
    h << "From: " + de;
    h << "Reply-To: " + de;
    if (!enderecos(para).isEmpty()) {
        h << "To: " + enderecos(para).join(QStringLiteral(", ")).toUtf8();
    }
    if (!enderecos(comCopia).isEmpty()) {
        h << "Cc: " + enderecos(comCopia).join(QStringLiteral(", ")).toUtf8();
    }
    h << "Subject: " + codificaCabecalho(assunto);
    const QString dominio = de.contains('@') ? QString::fromUtf8(de.mid(de.lastIndexOf('@') + 1)) : "viga";
    h << "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" +
             semQuebras(dominio).toUtf8() + ">";
    switch (prioridade) {
    case Alta:
        h << "X-Priority: 1 (Highest)"
          << "Importance: High";
        break;
    case Normal:
        h << "X-Priority: 3 (Normal)"
          << "Importance: Normal";
        break;
    case Baixa:
        h << "X-Priority: 5 (Lowest)"
          << "Importance: Low";
        break;
    }
    if (confirmacaoLeitura) {
        h << "Disposition-Notification-To: " + de;
    }
    h << "MIME-Version: 1.0";
    return h;
}

bool EnvioEmail::enviar()
{
    static std::once_flag iniciado;
    std::call_once(iniciado, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_erro.clear();
    m_resposta.clear();
    m_cancelado = false;

    const QStringList destinatarios = enderecos(para) + enderecos(comCopia) + enderecos(comCopiaOculta);
    if (destinatarios.isEmpty()) {
        m_erro = QStringLiteral("Nenhum destinatário");
        return false;
    }

    std::unique_ptr<CURL, LiberaCurl> curl(curl_easy_init());
    if (!curl) {
        m_erro = QStringLiteral("Falha ao iniciar o envio");
        return false;
    }
    CURL* c = curl.get();

    QString host = servidor.trimmed();
    int portaUsada = porta;
    const QRegularExpressionMatch m = QRegularExpression("^([^:]+|\\[[^\\]]+\\]):(\\d{1,5})$").match(host);
    if (m.hasMatch()) {
        host = m.captured(1);
        portaUsada = m.captured(2).toInt();
    }
    const bool tlsDireto = seguranca == ConfigEmail::Tls;
    const QByteArray url =
        (tlsDireto ? "smtps://" : "smtp://") + host.toUtf8() + ":" + QByteArray::number(portaUsada);
    const QByteArray usuarioBytes = usuario.trimmed().toUtf8();
    const QByteArray senhaBytes = senha.toUtf8();
    const QByteArray de = "<" + caixaPostal(semQuebras(remetente)).toUtf8() + ">";
    const QByteArray ca = certificadosConfiaveis.toLocal8Bit();
    char textoErro[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, textoErro);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    // Only a site that allows a plain server may go on without encryption.
    curl_easy_setopt(c, CURLOPT_USE_SSL,
                     static_cast<long>(seguranca == ConfigEmail::Nenhuma ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, observa);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &m_resposta);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progresso);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &cancelar);
    if (!ca.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, ca.constData());
    }
    if (!usuarioBytes.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, usuarioBytes.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, senhaBytes.constData());
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, de.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);

    std::unique_ptr<curl_slist, LiberaCurl> rcpt;
    for (const QString& d : destinatarios) {
        adiciona(rcpt, "<" + caixaPostal(d).toUtf8() + ">");
    }
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());

    std::unique_ptr<curl_slist, LiberaCurl> cab;
    for (const QByteArray& h : cabecalhos()) {
        adiciona(cab, h);
    }
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, cab.get());

    QString corpo = mensagem;
    corpo.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar('\r'), QChar('\n'));
    corpo.replace(QChar('\n'), QLatin1String("\r\n"));
    const QByteArray corpoBytes = corpo.toUtf8();

    std::unique_ptr<curl_mime, LiberaCurl> mime(curl_mime_init(c));
    curl_mimepart* texto = curl_mime_addpart(mime.get());
    curl_mime_data(texto, corpoBytes.constData(), static_cast<size_t>(corpoBytes.size()));
    curl_mime_type(texto, "text/plain; charset=UTF-8");
    curl_mime_encoder(texto, "quoted-printable");

    const QFileInfo info(anexo);
    const QByteArray caminho = QFile::encodeName(info.absoluteFilePath());
    const QByteArray nome = info.fileName().toUtf8();
    const QString ext = info.suffix().toLower();
    const char* tipo = ext == QLatin1String("pdf")   ? "application/pdf"
                       : ext == QLatin1String("txt") ? "text/plain"
                       : ext == QLatin1String("htm") || ext == QLatin1String("html")
                           ? "text/html"
                           : "application/octet-stream";
    if (!anexo.isEmpty()) {
        curl_mimepart* arquivo = curl_mime_addpart(mime.get());
        if (curl_mime_filedata(arquivo, caminho.constData()) != CURLE_OK) {
            m_erro = QStringLiteral("Arquivo para anexar não encontrado: %1").arg(anexo);
            return false;
        }
        curl_mime_filename(arquivo, nome.constData());
        curl_mime_type(arquivo, tipo);
        curl_mime_encoder(arquivo, "base64");
    }
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    const CURLcode r = curl_easy_perform(c);
    if (r != CURLE_OK) {
        if (r == CURLE_ABORTED_BY_CALLBACK) {
            m_cancelado = true;
            m_erro = QStringLiteral("Envio cancelado.");
            return false;
        }
        if (r == CURLE_USE_SSL_FAILED) {
            m_erro = QStringLiteral("O servidor não oferece conexão segura (STARTTLS); nada foi enviado.");
        } else {
            // In words first; the library's own text goes to the log and, cut short, after "Detalhe:".
            const QString textoBiblioteca =
                QString::fromUtf8(textoErro[0] ? textoErro : curl_easy_strerror(r));
            qWarning("e-mail: %s (%s)", qPrintable(textoBiblioteca), qPrintable(m_resposta));
            m_erro = motivo(r) + QStringLiteral("\nDetalhe: ") + detalhe(textoBiblioteca);
        }
        const bool respostaDeErro =
            m_resposta.size() >= 3 && (m_resposta[0] == u'4' || m_resposta[0] == u'5');
        if (respostaDeErro) m_erro += QStringLiteral("\nResposta do servidor: ") + detalhe(m_resposta);
        return false;
    }
    return true;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErroBanco.h"

#include <QSqlError>

namespace
{

QString umaLinha(QString t)
{
    // libpq's texts run over several lines ("FATAL: ...\n DETAIL ..."); the message shows one.
    t.replace(u'\r', u' ');
    t.replace(u'\n', u' ');
    return t.simplified();
}

bool contem(const QString& t, const char* trecho)
{
    return t.contains(QLatin1String(trecho), Qt::CaseInsensitive);
}

// The database's own text after the cause: on a line of its own, after
// "Detalhe:", cut to what a message box can show (the whole text is logged).
QString comDetalhe(const QString& causaTexto, const QString& textoBanco)
{
    if (textoBanco.isEmpty()) return causaTexto;
    const QString curto = textoBanco.size() > 160 ? textoBanco.left(159) + QChar(0x2026) : textoBanco;
    return causaTexto + QStringLiteral("\rDetalhe: ") + curto;
}

} // namespace

ErroBanco::ErroBanco(Causa causa, const QString& textoBanco)
    : std::runtime_error(textoBanco.toStdString()), m_causa(causa), m_textoBanco(textoBanco)
{
    const QString causaTexto = descricao(causa);
    if (causaTexto.isEmpty()) {
        m_texto =
            m_textoBanco.isEmpty() ? QStringLiteral("Erro desconhecido no banco de dados.") : m_textoBanco;
    } else {
        m_texto = comDetalhe(causaTexto, m_textoBanco);
    }
}

ErroBanco::ErroBanco(const QSqlError& erro)
    : ErroBanco(classificar(erro.nativeErrorCode(), erro.text()), umaLinha(erro.text()))
{
    // The driver speaks English: the message says the failure in words, the
    // driver's text follows as the detail and goes whole to the log.
    if (!m_textoBanco.isEmpty()) {
        qWarning("banco de dados: %s", qPrintable(m_textoBanco));
        if (m_causa == Causa::Outra) {
            m_texto = comDetalhe(QStringLiteral("O banco de dados recusou a operação."), m_textoBanco);
        }
    }
}

ErroBanco::Causa ErroBanco::classificar(const QString& codigo, const QString& texto)
{
    const QString c = codigo.trimmed().toUpper();
    if (c.size() == 5) {
        // SQLSTATE (PostgreSQL)
        if (c == QLatin1String("23505")) {
            return Causa::ChaveDuplicada;
        }
        if (c.startsWith(QLatin1String("08"))) {
            return contem(texto, "could not connect") || contem(texto, "connection refused") ||
                           contem(texto, "could not translate host")
                       ? Causa::ServidorInacessivel
                       : Causa::ConexaoPerdida;
        }
        if (c == QLatin1String("57P01") || c == QLatin1String("57P02") || c == QLatin1String("57P03")) {
            return Causa::ConexaoPerdida; // the server shut down or restarts
        }
        if (c == QLatin1String("53100")) {
            return Causa::DiscoCheio;
        }
        if (c == QLatin1String("25006")) {
            return Causa::SomenteLeitura;
        }
        if (c == QLatin1String("42501") || c.startsWith(QLatin1String("28"))) {
            return Causa::SemPermissao;
        }
        if (c == QLatin1String("55P03") || c == QLatin1String("40P01")) {
            return Causa::OutraEstacaoGravando;
        }
    } else if (!c.isEmpty()) {
        // SQLite's result code, primary or extended (the low byte is the primary one)
        bool ok = false;
        const int n = c.toInt(&ok);
        if (ok) {
            if (n == 2067 || n == 1555) {
                return Causa::ChaveDuplicada;
            }
            switch (n & 0xff) {
            case 5: // SQLITE_BUSY
            case 6: // SQLITE_LOCKED
                return Causa::Bloqueado;
            case 8: // SQLITE_READONLY
                return Causa::SomenteLeitura;
            case 13: // SQLITE_FULL
                return Causa::DiscoCheio;
            case 3:  // SQLITE_PERM
            case 23: // SQLITE_AUTH
                return Causa::SemPermissao;
            default:
                break;
            }
        }
    }
    // No code (libpq reports a dropped connection without a result): the text.
    if (contem(texto, "server closed the connection") || contem(texto, "no connection to the server") ||
        contem(texto, "terminating connection") || contem(texto, "connection to server was lost") ||
        contem(texto, "SSL SYSCALL") || contem(texto, "connection not open") ||
        contem(texto, "could not send data to server") ||
        contem(texto, "could not receive data from server")) {
        return Causa::ConexaoPerdida;
    }
    if (contem(texto, "could not connect to server") || contem(texto, "connection refused") ||
        contem(texto, "could not translate host name") || contem(texto, "timeout expired") ||
        contem(texto, "Connection timed out") || contem(texto, "No route to host") ||
        contem(texto, "connection to server at")) {
        return Causa::ServidorInacessivel;
    }
    if (contem(texto, "UNIQUE constraint failed") || contem(texto, "duplicate key")) {
        return Causa::ChaveDuplicada;
    }
    if (contem(texto, "database is locked") || contem(texto, "database table is locked")) {
        return Causa::Bloqueado;
    }
    if (contem(texto, "readonly database") || contem(texto, "read-only")) {
        return Causa::SomenteLeitura;
    }
    if (contem(texto, "disk is full") || contem(texto, "No space left")) {
        return Causa::DiscoCheio;
    }
    if (contem(texto, "permission denied") || contem(texto, "unable to open database file")) {
        return Causa::SemPermissao;
    }
    return Causa::Outra;
}

QString ErroBanco::descricao(Causa causa)
{
    switch (causa) {
    case Causa::ServidorInacessivel:
        return QStringLiteral("O servidor do banco de dados não responde (desligado, fora da rede ou "
                              "endereço errado).");
    case Causa::ConexaoPerdida:
        return QStringLiteral("A conexão com o banco de dados foi perdida (servidor reiniciado ou rede "
                              "interrompida). Tente novamente.");
    case Causa::Bloqueado:
        return QStringLiteral("O banco de dados está ocupado por outra estação. Aguarde e tente novamente.");
    case Causa::DiscoCheio:
        return QStringLiteral("Disco cheio: não há espaço para gravar no banco de dados.");
    case Causa::SomenteLeitura:
        return QStringLiteral("O banco de dados está somente para leitura: nada pode ser gravado.");
    case Causa::SemPermissao:
        return QStringLiteral("Sem permissão de acesso ao banco de dados.");
    case Causa::ChaveDuplicada:
        return QStringLiteral("Registro já cadastrado.");
    case Causa::OutraEstacaoGravando:
        return QStringLiteral("Outra estação está gravando neste momento; tente novamente.");
    case Causa::Outra:
        break;
    }
    return QString();
}

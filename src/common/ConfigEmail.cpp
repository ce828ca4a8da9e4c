// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigEmail.h"

#include "ArquivoIni.h"
#include "PastaDados.h"

#include <QFile>

QString ConfigEmail::nomeSeguranca(Seguranca s)
{
    switch (s) {
    case Tls:
        return QStringLiteral("tls");
    case Nenhuma:
        return QStringLiteral("nenhuma");
    case StartTls:
        break;
    }
    return QStringLiteral("starttls");
}

bool ConfigEmail::segurancaDeNome(const QString& nome, Seguranca* s)
{
    for (Seguranca x : {StartTls, Tls, Nenhuma}) {
        if (nome.trimmed().compare(nomeSeguranca(x), Qt::CaseInsensitive) == 0) {
            *s = x;
            return true;
        }
    }
    return false;
}

ConfigEmail ConfigEmail::ler(QString* erro)
{
    return ler(PastaDados::ini(), erro);
}

ConfigEmail ConfigEmail::ler(const QString& arquivoIni, QString* erro)
{
    ConfigEmail c;
    QString problema;
    const ArquivoIni ini(arquivoIni);
    const auto valor = [&ini](const char* chave) {
        return ini.valor(QStringLiteral("email"), QLatin1String(chave)).toString();
    };
    c.servidor = valor("Servidor").trimmed();
    c.usuario = valor("Usuario").trimmed();
    c.senha = valor("Senha");
    c.remetente = valor("Remetente").trimmed();
    c.certificados = valor("Certificados").trimmed();
    const QString porta = valor("Porta").trimmed();
    if (!porta.isEmpty()) {
        bool ok = false;
        const int n = porta.toInt(&ok);
        if (ok && n > 0 && n < 65536) {
            c.porta = n;
        } else {
            problema = QStringLiteral("Porta do servidor de e-mail inválida em viga.ini: \"%1\".").arg(porta);
        }
    }
    const QString seguranca = valor("Seguranca").trimmed();
    if (!seguranca.isEmpty() && !segurancaDeNome(seguranca, &c.seguranca)) {
        problema = QStringLiteral("Segurança do e-mail inválida em viga.ini: \"%1\" (use starttls, tls ou "
                                  "nenhuma).")
                       .arg(seguranca);
    }
    if (seguranca.isEmpty() && c.porta == 465) c.seguranca = Tls;
    if (!problema.isEmpty()) c.servidor.clear(); // not offered with a setting that cannot be used
    if (erro) *erro = problema;
    return c;
}

bool ConfigEmail::gravar() const
{
    return gravar(PastaDados::ini());
}

bool ConfigEmail::gravar(const QString& arquivoIni) const
{
    ArquivoIni ini(arquivoIni);
    const QString secao = QStringLiteral("email");
    ini.definir(secao, QStringLiteral("Servidor"), servidor.trimmed());
    ini.definir(secao, QStringLiteral("Porta"), porta);
    ini.definir(secao, QStringLiteral("Seguranca"), nomeSeguranca(seguranca));
    ini.definir(secao, QStringLiteral("Usuario"), usuario.trimmed());
    ini.definir(secao, QStringLiteral("Senha"), senha);
    ini.definir(secao, QStringLiteral("Remetente"), remetente.trimmed());
    if (certificados.trimmed().isEmpty()) {
        ini.remover(secao, QStringLiteral("Certificados"));
    } else {
        ini.definir(secao, QStringLiteral("Certificados"), certificados.trimmed());
    }
    if (!ini.gravar()) return false;
    // It holds a password: readable by its owner only.
    QFile::setPermissions(arquivoIni, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

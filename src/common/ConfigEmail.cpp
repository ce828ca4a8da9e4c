// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigEmail.h"

#include "PastaDados.h"

#include <QFile>
#include <QSettings>

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
    QSettings ini(arquivoIni, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("email"));
    c.servidor = ini.value(QStringLiteral("Servidor")).toString().trimmed();
    c.usuario = ini.value(QStringLiteral("Usuario")).toString().trimmed();
    c.senha = ini.value(QStringLiteral("Senha")).toString();
    c.remetente = ini.value(QStringLiteral("Remetente")).toString().trimmed();
    c.certificados = ini.value(QStringLiteral("Certificados")).toString().trimmed();
    const QString porta = ini.value(QStringLiteral("Porta")).toString().trimmed();
    if (!porta.isEmpty()) {
        bool ok = false;
        const int n = porta.toInt(&ok);
        if (ok && n > 0 && n < 65536) {
            c.porta = n;
        } else {
            problema = QStringLiteral("Porta do servidor de e-mail inválida em viga.ini: \"%1\".").arg(porta);
        }
    }
    const QString seguranca = ini.value(QStringLiteral("Seguranca")).toString().trimmed();
    if (!seguranca.isEmpty() && !segurancaDeNome(seguranca, &c.seguranca)) {
        problema = QStringLiteral("Segurança do e-mail inválida em viga.ini: \"%1\" (use starttls, tls ou "
                                  "nenhuma).")
                       .arg(seguranca);
    }
    if (seguranca.isEmpty() && c.porta == 465) c.seguranca = Tls;
    ini.endGroup();
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
    QSettings ini(arquivoIni, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("email"));
    ini.setValue(QStringLiteral("Servidor"), servidor.trimmed());
    ini.setValue(QStringLiteral("Porta"), porta);
    ini.setValue(QStringLiteral("Seguranca"), nomeSeguranca(seguranca));
    ini.setValue(QStringLiteral("Usuario"), usuario.trimmed());
    ini.setValue(QStringLiteral("Senha"), senha);
    ini.setValue(QStringLiteral("Remetente"), remetente.trimmed());
    if (certificados.trimmed().isEmpty()) {
        ini.remove(QStringLiteral("Certificados"));
    } else {
        ini.setValue(QStringLiteral("Certificados"), certificados.trimmed());
    }
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError) return false;
    // It holds a password: readable by its owner only.
    QFile::setPermissions(arquivoIni, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

#include "Conexao.h"

#include "PastaDados.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

QString Conexao::caminhoArquivo() const
{
    if (QFileInfo(arquivo).isAbsolute()) {
        return arquivo;
    }
    return PastaDados::arquivo(arquivo);
}

bool Conexao::ler(Conexao& c, QString* erro)
{
    const QString ini = PastaDados::ini();
    if (!QFile::exists(ini)) {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue(QStringLiteral("database/Driver"), c.driver);
        s.setValue(QStringLiteral("database/File"), c.arquivo);
        s.sync();
        return true;
    }
    QFile f(ini);
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro) {
            *erro = QStringLiteral("Não foi possível ler o arquivo de configuração %1.").arg(ini);
        }
        return false;
    }
    f.close();
    QSettings s(ini, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) {
        if (erro) {
            *erro = QStringLiteral("O arquivo de configuração %1 está danificado.").arg(ini);
        }
        return false;
    }
    s.beginGroup(QStringLiteral("database"));
    c.driver = s.value(QStringLiteral("Driver"), c.driver).toString().trimmed().toUpper();
    c.arquivo = s.value(QStringLiteral("File"), c.arquivo).toString();
    c.host = s.value(QStringLiteral("Host"), c.host).toString();
    c.porta = s.value(QStringLiteral("Port"), c.porta).toInt();
    c.nome = s.value(QStringLiteral("Name"), c.nome).toString();
    c.usuario = s.value(QStringLiteral("User"), c.usuario).toString();
    c.senha = s.value(QStringLiteral("Password"), c.senha).toString();
    s.endGroup();
    if (c.driver != QLatin1String("QSQLITE") && c.driver != QLatin1String("QPSQL")) {
        if (erro) {
            *erro = QStringLiteral("Banco de dados desconhecido em %1: %2.").arg(ini, c.driver);
        }
        return false;
    }
    return true;
}

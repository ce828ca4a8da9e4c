// SPDX-License-Identifier: GPL-3.0-or-later
#include "Conexao.h"

#include "ArquivoIni.h"
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

namespace
{
bool falha(QString* erro, const QString& texto)
{
    if (erro) {
        *erro = texto;
    }
    return false;
}
} // namespace

bool Conexao::ler(Conexao& c, QString* erro)
{
    const QString ini = PastaDados::ini();
    const QString nomeIni = QDir::toNativeSeparators(ini);
    if (!QFileInfo::exists(ini)) {
        // created closed before the password can ever be written into it
        QFile novo(ini);
        if (!novo.open(QIODevice::WriteOnly | QIODevice::NewOnly, PastaDados::permissoesArquivo())) {
            return falha(erro, QStringLiteral("Não foi possível criar o arquivo de configuração %1.\r"
                                              "Erro retornado: %2")
                                   .arg(nomeIni, novo.errorString()));
        }
        novo.close();
        QSettings s(ini, QSettings::IniFormat);
        s.setValue(QStringLiteral("database/Driver"), c.driver);
        s.setValue(QStringLiteral("database/File"), c.arquivo);
        s.sync();
        if (s.status() != QSettings::NoError) {
            return falha(
                erro, QStringLiteral("Não foi possível gravar o arquivo de configuração %1.").arg(nomeIni));
        }
        PastaDados::fecharArquivo(ini);
        return true;
    }
    QFile f(ini);
    if (!f.open(QIODevice::ReadOnly)) {
        return falha(erro, QStringLiteral("Não foi possível ler o arquivo de configuração %1.").arg(nomeIni));
    }
    f.close();
    const ArquivoIni s(ini);
    if (s.status() != QSettings::NoError) {
        return falha(erro, QStringLiteral("O arquivo de configuração %1 está danificado.").arg(nomeIni));
    }
    const QString dica =
        QStringLiteral("\rO VIGA não foi iniciado, para não gravar as pesagens em outro banco "
                       "de dados. Corrija o arquivo; por exemplo:\r[database]\r"
                       "Driver=QSQLITE\rFile=viga.db");
    if (s.secao(QStringLiteral("database")).isEmpty()) {
        return falha(erro,
                     QStringLiteral("O arquivo de configuração %1 não tem a seção [database].").arg(nomeIni) +
                         dica);
    }
    const auto valor = [&s](const char* chave, const QVariant& padrao) {
        return s.valor(QStringLiteral("database"), QLatin1String(chave), padrao);
    };
    if (valor("Driver", QString()).toString().trimmed().isEmpty()) {
        return falha(erro,
                     QStringLiteral("O arquivo de configuração %1 não diz o banco de dados: falta Driver= na "
                                    "seção [database].")
                             .arg(nomeIni) +
                         dica);
    }
    c.driver = valor("Driver", c.driver).toString().trimmed().toUpper();
    c.arquivo = valor("File", c.arquivo).toString();
    c.host = valor("Host", c.host).toString();
    bool portaOk = true;
    c.porta = valor("Port", c.porta).toInt(&portaOk);
    c.nome = valor("Name", c.nome).toString();
    c.usuario = valor("User", c.usuario).toString();
    c.senha = valor("Password", c.senha).toString();
    if (c.driver != QLatin1String("QSQLITE") && c.driver != QLatin1String("QPSQL")) {
        return falha(erro, QStringLiteral("Banco de dados desconhecido em %1: %2.").arg(nomeIni, c.driver));
    }
    if (!portaOk || c.porta <= 0 || c.porta > 65535) {
        return falha(erro, QStringLiteral("Porta do banco de dados inválida em %1: %2.")
                               .arg(nomeIni, valor("Port", QString()).toString()));
    }
    if (c.driver == QLatin1String("QSQLITE") && c.arquivo.trimmed().isEmpty()) {
        return falha(
            erro,
            QStringLiteral("O arquivo de configuração %1 tem File= vazio na seção [database].").arg(nomeIni));
    }
    return true;
}

QString Conexao::avisoPermissoes()
{
    const QString ini = PastaDados::ini();
    if (!QFileInfo::exists(ini) || !PastaDados::legivelPorOutros(ini)) {
        return QString();
    }
    return QStringLiteral("O arquivo de configuração %1 pode ser lido por qualquer usuário deste computador, "
                          "e guarda a senha do banco de dados.\rRestrinja o acesso a ele (chmod 600 %1).")
        .arg(QDir::toNativeSeparators(ini));
}

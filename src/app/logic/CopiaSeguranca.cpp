#include "CopiaSeguranca.h"

#include "PastaDados.h"
#include "Relogio.h"
#include "TDM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

QString CopiaSeguranca::destino(const QString& nome)
{
    return QDir(PastaDados::arquivo(QStringLiteral("bkp")))
        .filePath(Relogio::agora().toString(QStringLiteral("hhmm_ddMMyy")) + nome);
}

QString CopiaSeguranca::mensagem(Resultado r, const QString& arquivo, const QString& detalhe)
{
    const QString motivo = detalhe.isEmpty() ? QString() : QStringLiteral("\rErro retornado: ") + detalhe;
    switch (r) {
    case Resultado::Gerada:
        return QStringLiteral("Cópia de Segurança gerada com sucesso.\rNão esqueça de transferir a Cópia de "
                              "Segurança para um local seguro.");
    case Resultado::DestinoExiste:
        return QStringLiteral("Cópia de Segurança não foi gerada: já existe o arquivo %1.\rAguarde um "
                              "minuto e tente novamente.")
            .arg(QDir::toNativeSeparators(arquivo));
    case Resultado::PastaInacessivel:
        return QStringLiteral("Cópia de Segurança não foi gerada: não é possível gravar na pasta %1.")
                   .arg(QDir::toNativeSeparators(PastaDados::arquivo(QStringLiteral("bkp")))) +
               motivo;
    case Resultado::FalhaAoGravar:
        return QStringLiteral("Cópia de Segurança não foi gerada: erro ao gravar o arquivo %1.")
                   .arg(QDir::toNativeSeparators(arquivo)) +
               motivo;
    case Resultado::NaoGerada:
        break;
    }
    return QStringLiteral("Cópia de Segurança não foi gerada.") + motivo;
}

QString CopiaSeguranca::titulo(Resultado r)
{
    return r == Resultado::Gerada ? QStringLiteral("Informação") : QStringLiteral("Erro");
}

QString CopiaSeguranca::mensagemReconexao(const QString& erro)
{
    return QStringLiteral("Não foi possível reabrir o banco de dados após a Cópia de Segurança.\rErro "
                          "retornado: ") +
           erro;
}

namespace
{

using Resultado = CopiaSeguranca::Resultado;

void diz(QString* destino, const QString& texto)
{
    if (destino) {
        *destino = texto;
    }
}

// bkp/ exists (created when missing) and takes new files.
bool pastaGravavel(QString* detalhe)
{
    const QString pasta = PastaDados::arquivo(QStringLiteral("bkp"));
    if (!QDir().mkpath(pasta)) {
        diz(detalhe, QFileInfo(pasta).exists() && !QFileInfo(pasta).isDir()
                         ? QStringLiteral("%1 não é uma pasta").arg(QDir::toNativeSeparators(pasta))
                         : QStringLiteral("a pasta não pode ser criada"));
        return false;
    }
    // the permission bits do not tell (a read-only mount, root): try a file
    QTemporaryFile teste(QDir(pasta).filePath(QStringLiteral("teste-XXXXXX")));
    if (!teste.open()) {
        diz(detalhe, teste.errorString());
        return false;
    }
    return true;
}

Resultado copiaSqlite(TDM& dm, QString* arquivo, QString* detalhe)
{
    const QString origem = dm.conexao().caminhoArquivo();
    QFile entrada(origem);
    if (!entrada.exists()) {
        diz(detalhe,
            QStringLiteral("Banco de dados não encontrado: %1").arg(QDir::toNativeSeparators(origem)));
        return Resultado::NaoGerada;
    }
    const QString alvo = CopiaSeguranca::destino(QFileInfo(origem).fileName());
    diz(arquivo, alvo);
    if (QFileInfo::exists(alvo)) {
        return Resultado::DestinoExiste;
    }
    if (!pastaGravavel(detalhe)) {
        return Resultado::PastaInacessivel;
    }
    if (!entrada.open(QIODevice::ReadOnly)) {
        diz(detalhe, entrada.errorString());
        return Resultado::NaoGerada;
    }
    // Written here rather than by QFile::copy, so that a full disk is told
    // apart from a target in the way; a target that appeared meanwhile is
    // never overwritten.
    QFile saida(alvo);
    if (!saida.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        diz(detalhe, saida.errorString());
        return QFileInfo::exists(alvo) ? Resultado::DestinoExiste : Resultado::PastaInacessivel;
    }
    bool ok = true;
    while (ok && !entrada.atEnd()) {
        const QByteArray bloco = entrada.read(1 << 20);
        ok = !bloco.isEmpty() && saida.write(bloco) == bloco.size();
    }
    ok = ok && saida.flush();
    if (!ok) {
        diz(detalhe, saida.error() != QFileDevice::NoError ? saida.errorString() : entrada.errorString());
        saida.remove();
        return Resultado::FalhaAoGravar;
    }
    saida.close();
    return QFileInfo::exists(alvo) ? Resultado::Gerada : Resultado::NaoGerada;
}

Resultado copiaPostgres(TDM& dm, QString* arquivo, QString* detalhe)
{
    const Conexao& c = dm.conexao();
    const QString alvo = CopiaSeguranca::destino(c.nome + QStringLiteral(".sql"));
    diz(arquivo, alvo);
    if (QFileInfo::exists(alvo)) {
        return Resultado::DestinoExiste;
    }
    if (!pastaGravavel(detalhe)) {
        return Resultado::PastaInacessivel;
    }
    const QString pgDump = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    if (pgDump.isEmpty()) {
        diz(detalhe, QStringLiteral("pg_dump não encontrado"));
        return Resultado::NaoGerada;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!c.senha.isEmpty()) {
        env.insert(QStringLiteral("PGPASSWORD"), c.senha);
    }
    p.setProcessEnvironment(env);
    QStringList args{QStringLiteral("-h"), c.host, QStringLiteral("-p"),           QString::number(c.porta),
                     QStringLiteral("-f"), alvo,   QStringLiteral("--no-password")};
    if (!c.usuario.isEmpty()) {
        args << QStringLiteral("-U") << c.usuario;
    }
    args << c.nome;
    p.start(pgDump, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString erro = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        diz(detalhe, erro.isEmpty() ? p.errorString() : erro);
        QFile::remove(alvo);
        // pg_dump tells a full disk in its own words
        return erro.contains(QLatin1String("could not write"), Qt::CaseInsensitive) ||
                       erro.contains(QLatin1String("No space left"), Qt::CaseInsensitive)
                   ? Resultado::FalhaAoGravar
                   : Resultado::NaoGerada;
    }
    return QFileInfo::exists(alvo) ? Resultado::Gerada : Resultado::NaoGerada;
}

} // namespace

CopiaSeguranca::Resultado CopiaSeguranca::executar(TDM& dm, QString* arquivo, QString* detalhe,
                                                   QString* erroReconexao)
{
    diz(detalhe, QString());
    diz(erroReconexao, QString());
    if (dm.Conectado()) {
        dm.Desconectar();
    }
    const Resultado r =
        dm.ehPostgres() ? copiaPostgres(dm, arquivo, detalhe) : copiaSqlite(dm, arquivo, detalhe);
    if (!dm.Conectado()) {
        QString erro;
        if (!dm.Conectar(&erro)) {
            diz(erroReconexao, erro.isEmpty() ? QStringLiteral("conexão recusada") : erro);
        }
    }
    return r;
}

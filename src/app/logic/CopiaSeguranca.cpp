#include "CopiaSeguranca.h"

#include "PastaDados.h"
#include "Relogio.h"
#include "TDM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString CopiaSeguranca::destino(const QString& nome)
{
    return QDir(PastaDados::arquivo(QStringLiteral("bkp")))
        .filePath(Relogio::agora().toString(QStringLiteral("hhmm_ddMMyy")) + nome);
}

namespace
{

CopiaSeguranca::Resultado copiaSqlite(TDM& dm, QString* arquivo, QString* detalhe)
{
    const QString origem = dm.conexao().caminhoArquivo();
    if (!QFile::exists(origem)) {
        return CopiaSeguranca::Resultado::NaoGerada;
    }
    const QString alvo = CopiaSeguranca::destino(QFileInfo(origem).fileName());
    if (arquivo) {
        *arquivo = alvo;
    }
    // QFile::copy refuses an existing target, as the backup must.
    QFile f(origem);
    if (!f.copy(alvo)) {
        if (detalhe) {
            *detalhe = f.errorString();
        }
        return CopiaSeguranca::Resultado::FalhaNaCopia;
    }
    return QFile::exists(alvo) ? CopiaSeguranca::Resultado::Gerada : CopiaSeguranca::Resultado::NaoGerada;
}

CopiaSeguranca::Resultado copiaPostgres(TDM& dm, QString* arquivo, QString* detalhe)
{
    const Conexao& c = dm.conexao();
    const QString alvo = CopiaSeguranca::destino(c.nome + QStringLiteral(".sql"));
    if (arquivo) {
        *arquivo = alvo;
    }
    if (QFile::exists(alvo)) {
        return CopiaSeguranca::Resultado::FalhaNaCopia;
    }
    const QString pgDump = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    if (pgDump.isEmpty()) {
        if (detalhe) {
            *detalhe = QStringLiteral("pg_dump não encontrado");
        }
        return CopiaSeguranca::Resultado::NaoGerada;
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
        if (detalhe) {
            *detalhe = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        }
        QFile::remove(alvo);
        return CopiaSeguranca::Resultado::NaoGerada;
    }
    return QFile::exists(alvo) ? CopiaSeguranca::Resultado::Gerada : CopiaSeguranca::Resultado::NaoGerada;
}

} // namespace

CopiaSeguranca::Resultado CopiaSeguranca::executar(TDM& dm, QString* arquivo, QString* detalhe)
{
    if (dm.Conectado()) {
        dm.Desconectar();
    }
    QDir().mkpath(PastaDados::arquivo(QStringLiteral("bkp")));
    const Resultado r =
        dm.ehPostgres() ? copiaPostgres(dm, arquivo, detalhe) : copiaSqlite(dm, arquivo, detalhe);
    if (!dm.Conectado()) {
        QString erro;
        dm.Conectar(&erro);
    }
    return r;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "CopiaSeguranca.h"

#include "PastaDados.h"
#include "Relogio.h"
#include "TDM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

// A new empty file in bkp/ that the copy is written to: a backup stopped half-way
// (a crash, the power) is left under this name, never under a backup's.
QString arquivoIncompleto(QString* detalhe)
{
    QTemporaryFile f(QDir(PastaDados::arquivo(QStringLiteral("bkp")))
                         .filePath(QStringLiteral("copia-incompleta-XXXXXX.tmp")));
    f.setAutoRemove(false);
    if (!f.open()) {
        diz(detalhe, f.errorString());
        return QString();
    }
    return f.fileName();
}

// The copy checked, on the disk, and only then given the backup's name (never
// over a file already there); the folder's entry is on the disk too.
Resultado concluiCopia(const QString& temporario, const QString& alvo, QString* detalhe)
{
    PastaDados::fecharArquivo(temporario);
    auto sincroniza = [](const QString& caminho, int modo) {
        const int fd = ::open(QFile::encodeName(caminho).constData(), modo | O_CLOEXEC);
        if (fd < 0) return false;
        const bool ok = ::fsync(fd) == 0;
        ::close(fd);
        return ok;
    };
    if (!sincroniza(temporario, O_RDONLY)) {
        diz(detalhe, QString::fromLocal8Bit(std::strerror(errno)));
        QFile::remove(temporario);
        return Resultado::FalhaAoGravar;
    }
    QFile copia(temporario);
    if (!copia.rename(alvo)) {
        diz(detalhe, copia.errorString());
        QFile::remove(temporario);
        return QFileInfo::exists(alvo) ? Resultado::DestinoExiste : Resultado::FalhaAoGravar;
    }
    sincroniza(QFileInfo(alvo).absolutePath(), O_RDONLY | O_DIRECTORY);
    return Resultado::Gerada;
}

// The copy is opened on its own and checked page by page before it is
// called a backup.
bool copiaIntegra(const QString& alvo, QString* detalhe)
{
    const QString nome =
        QStringLiteral("viga-verifica-copia-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(alvo);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            diz(detalhe, db.lastError().text());
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA integrity_check"))) {
                diz(detalhe, q.lastError().text());
            } else {
                QStringList problemas;
                while (q.next()) {
                    problemas << q.value(0).toString();
                }
                ok = problemas == QStringList{QStringLiteral("ok")};
                if (!ok) {
                    diz(detalhe, QStringLiteral("a cópia não passou na verificação de integridade: ") +
                                     problemas.join(QStringLiteral("; ")));
                }
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(nome);
    return ok;
}

// The copy comes from VIGA's own connection (VACUUM INTO), so it holds every
// committed row, those still in the write-ahead log included, whoever else
// has the file open; the connection stays as it is.
Resultado copiaSqlite(TDM& dm, QString* arquivo, QString* detalhe)
{
    const QString origem = dm.conexao().caminhoArquivo();
    if (!QFile::exists(origem)) {
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
    if (!dm.Conectado()) {
        QString erro;
        if (!dm.Conectar(&erro)) {
            diz(detalhe, erro);
            return Resultado::NaoGerada;
        }
    }
    const QString temporario = arquivoIncompleto(detalhe);
    if (temporario.isEmpty()) {
        return Resultado::PastaInacessivel;
    }
    // no cursor of VIGA's own may be left running on the connection
    dm.fecharConsultas();
    QSqlQuery q(dm.DataBase1());
    // SQLite writes into an empty file that is already there
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(temporario);
    if (!q.exec()) {
        const QString erro = q.lastError().text();
        q.finish();
        diz(detalhe, erro);
        QFile::remove(temporario);
        return erro.contains(QLatin1String("full"), Qt::CaseInsensitive) ||
                       erro.contains(QLatin1String("I/O"), Qt::CaseInsensitive)
                   ? Resultado::FalhaAoGravar
                   : Resultado::NaoGerada;
    }
    q.finish();
    if (!copiaIntegra(temporario, detalhe)) {
        QFile::remove(temporario);
        return Resultado::FalhaAoGravar;
    }
    return concluiCopia(temporario, alvo, detalhe);
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
    const QString temporario = arquivoIncompleto(detalhe);
    if (temporario.isEmpty()) {
        return Resultado::PastaInacessivel;
    }
    QStringList args{
        QStringLiteral("-h"), c.host,     QStringLiteral("-p"),           QString::number(c.porta),
        QStringLiteral("-f"), temporario, QStringLiteral("--no-password")};
    if (!c.usuario.isEmpty()) {
        args << QStringLiteral("-U") << c.usuario;
    }
    args << c.nome;
    p.start(pgDump, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString erro = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        diz(detalhe, erro.isEmpty() ? p.errorString() : erro);
        QFile::remove(temporario);
        // pg_dump tells a full disk in its own words
        return erro.contains(QLatin1String("could not write"), Qt::CaseInsensitive) ||
                       erro.contains(QLatin1String("No space left"), Qt::CaseInsensitive)
                   ? Resultado::FalhaAoGravar
                   : Resultado::NaoGerada;
    }
    // the dump holds every password stored in the database: owner-only, as the
    // temporary file was made
    return concluiCopia(temporario, alvo, detalhe);
}

} // namespace

CopiaSeguranca::Resultado CopiaSeguranca::executar(TDM& dm, QString* arquivo, QString* detalhe,
                                                   QString* erroReconexao)
{
    diz(detalhe, QString());
    diz(erroReconexao, QString());
    // pg_dump works on its own connection; the SQLite copy needs VIGA's
    if (dm.ehPostgres() && dm.Conectado()) {
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

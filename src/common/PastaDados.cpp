#include "PastaDados.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

QString PastaDados::caminho()
{
    const QString env = qEnvironmentVariable("VIGA_HOME");
    if (!env.isEmpty()) {
        return QDir(env).absolutePath();
    }
    const QString exe = QCoreApplication::applicationDirPath();
    if (!exe.isEmpty() && QFileInfo(exe).isWritable()) {
        return exe;
    }
    return QDir::homePath() + QStringLiteral("/.local/share/viga");
}

QString PastaDados::arquivo(const QString& nome)
{
    return QDir(caminho()).filePath(nome);
}

bool PastaDados::preparar(QString* erro)
{
    const QString p = caminho();
    if (!QDir().mkpath(p)) {
        if (erro) {
            *erro = QStringLiteral("Não foi possível criar a pasta de dados %1.").arg(p);
        }
        return false;
    }
    QTemporaryFile teste(QDir(p).filePath(QStringLiteral(".viga_escrita_XXXXXX")));
    if (!teste.open()) {
        if (erro) {
            *erro = QStringLiteral("A pasta de dados %1 não permite gravação.").arg(p);
        }
        return false;
    }
    return true;
}

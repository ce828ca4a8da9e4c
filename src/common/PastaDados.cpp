// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastaDados.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <sys/stat.h>

QString PastaDados::escolher(const QString& vigaHome, const QString& pastaPrograma, bool programaGravavel,
                             const QString& home)
{
    if (!vigaHome.isEmpty()) {
        return QDir(vigaHome).absolutePath();
    }
    const QString programa = QDir::cleanPath(pastaPrograma);
    const bool instalado = programa == QLatin1String("/usr") || programa.startsWith(QLatin1String("/usr/"));
    if (!programa.isEmpty() && programaGravavel && !instalado) {
        return programa;
    }
    return QDir::cleanPath(home + QStringLiteral("/.local/share/viga"));
}

QString PastaDados::caminho()
{
    const QString exe = QCoreApplication::applicationDirPath();
    return escolher(qEnvironmentVariable("VIGA_HOME"), exe, !exe.isEmpty() && QFileInfo(exe).isWritable(),
                    QDir::homePath());
}

QString PastaDados::arquivo(const QString& nome)
{
    return QDir(caminho()).filePath(nome);
}

bool PastaDados::preparar(QString* erro)
{
    const QString p = caminho();
    const bool existia = QFileInfo(p).isDir();
    if (!QDir().mkpath(p) ||
        (!existia && !QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))) {
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

bool PastaDados::pastaCompartilhada()
{
    return QFileInfo(caminho()).permissions().testFlag(QFile::WriteGroup);
}

QFileDevice::Permissions PastaDados::permissoesArquivo()
{
    QFileDevice::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (pastaCompartilhada()) {
        p |= QFile::ReadGroup | QFile::WriteGroup;
    }
    return p;
}

bool PastaDados::fecharArquivo(const QString& caminho)
{
    return QFile::setPermissions(caminho, permissoesArquivo());
}

void PastaDados::restringirCriacao()
{
    ::umask(pastaCompartilhada() ? 007 : 077);
}

bool PastaDados::legivelPorOutros(const QString& caminho)
{
    return QFileInfo(caminho).permissions().testFlag(QFile::ReadOther);
}

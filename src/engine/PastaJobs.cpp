// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastaJobs.h"

#include "PastaPrivada.h"

#include <QDir>
#include <QTemporaryFile>

QString PastaJobs::caminho(QString* erro)
{
    const QString base = PastaPrivada::execucao(erro);
    if (base.isEmpty()) return QString();
    const QString pasta = QDir(base).filePath(QStringLiteral("viga-relevo"));
    if (!PastaPrivada::verificar(pasta, erro)) return QString();
    return pasta;
}

QString PastaJobs::novoArquivo(const QString& prefixo, const QString& sufixo, QString* erro)
{
    const QString pasta = caminho(erro);
    if (pasta.isEmpty()) return QString();
    // created with O_EXCL under a random name: two processes never share a
    // name, and nothing already there is ever followed
    QTemporaryFile f(QDir(pasta).filePath(prefixo + QStringLiteral("XXXXXX") + sufixo));
    f.setAutoRemove(false);
    if (!f.open()) {
        if (erro) *erro = f.errorString();
        return QString();
    }
    return f.fileName();
}

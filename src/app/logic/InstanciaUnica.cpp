// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstanciaUnica.h"

#include "PastaPrivada.h"

#include <QDir>

InstanciaUnica::InstanciaUnica(const QString& nome)
{
    const QString pasta = PastaPrivada::execucao(&m_erro);
    if (!pasta.isEmpty()) m_caminho = QDir(pasta).filePath(nome + QStringLiteral(".lock"));
}

bool InstanciaUnica::adquirir()
{
    if (m_caminho.isEmpty()) return false;
    m_trava = std::make_unique<QLockFile>(m_caminho);
    // No age limit: a lock is stale only when its program is gone.
    m_trava->setStaleLockTime(0);
    if (m_trava->tryLock(0)) {
        return true;
    }
    if (m_trava->error() == QLockFile::LockFailedError && m_trava->removeStaleLockFile()) {
        return m_trava->tryLock(0);
    }
    return false;
}

#include "InstanciaUnica.h"

#include <QDir>

InstanciaUnica::InstanciaUnica(const QString& nome)
    : m_caminho(QDir(QDir::tempPath()).filePath(nome + QStringLiteral(".lock")))
{
}

bool InstanciaUnica::adquirir()
{
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstanciaUnica.h"

#include <QDir>
#include <QStandardPaths>

namespace
{

// The user's runtime folder; Qt makes a private one (mode 0700) when the
// session gives none. The temporary folder only when even that fails.
QString pastaDoUsuario()
{
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return pasta.isEmpty() ? QDir::tempPath() : pasta;
}

} // namespace

InstanciaUnica::InstanciaUnica(const QString& nome)
    : m_caminho(QDir(pastaDoUsuario()).filePath(nome + QStringLiteral(".lock")))
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

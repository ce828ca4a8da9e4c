#include "InstanciaUnica.h"

#include <QDir>
#include <QStandardPaths>

namespace
{
// The user's own runtime folder ($XDG_RUNTIME_DIR, else a private folder Qt
// creates in /tmp): a lock in the shared /tmp would let one operator's VIGA,
// or one killed as root, keep every other account of the computer out.
QString PastaDaTrava()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
} // namespace

InstanciaUnica::InstanciaUnica(const QString& nome)
    : m_caminho(QDir(PastaDaTrava()).filePath(nome + QStringLiteral(".lock")))
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

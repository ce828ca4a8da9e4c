// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One VIGA per user of the workstation: a lock file in the user's runtime
// folder ($XDG_RUNTIME_DIR, private to the user), held until the program
// ends. Another user's VIGA neither blocks nor is blocked by it, and no other
// local user can take the name. A lock left by a program that was killed is
// taken over.
class InstanciaUnica
{
public:
    explicit InstanciaUnica(const QString& nome = QStringLiteral("viga"));
    // False when another running VIGA of this user holds the lock.
    bool adquirir();
    QString caminho() const { return m_caminho; }

private:
    QString m_caminho;
    std::unique_ptr<QLockFile> m_trava;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One VIGA per user of the workstation: a lock file in the user's private
// runtime folder (PastaPrivada::execucao: $XDG_RUNTIME_DIR, else a folder of
// the user's cache; never the shared temporary folder), held until the program
// ends. Another user's VIGA neither blocks nor is blocked by it, and no other
// local user can take the name. A lock left by a program that was killed is
// taken over.
class InstanciaUnica
{
public:
    explicit InstanciaUnica(const QString& nome = QStringLiteral("viga"));
    // False when another running VIGA of this user holds the lock, or when
    // there is no private folder for it (erro() says why).
    bool adquirir();
    QString caminho() const { return m_caminho; }
    // Why there is no private folder for the lock; empty when there is one.
    QString erro() const { return m_erro; }

private:
    QString m_caminho;
    QString m_erro;
    std::unique_ptr<QLockFile> m_trava;
};

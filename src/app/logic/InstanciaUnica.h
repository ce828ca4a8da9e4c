#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One VIGA per user session: a lock file in the user's runtime folder, held
// until the program ends. A lock left by a program that was killed is taken over.
class InstanciaUnica
{
public:
    explicit InstanciaUnica(const QString& nome = QStringLiteral("viga"));
    // False when another running VIGA holds the lock.
    bool adquirir();
    QString caminho() const { return m_caminho; }

private:
    QString m_caminho;
    std::unique_ptr<QLockFile> m_trava;
};

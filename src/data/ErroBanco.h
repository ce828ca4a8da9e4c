#pragma once

#include <QString>
#include <stdexcept>

// A failed database operation; `texto()` is the database's own message, which
// the windows show after "Erro retornado:".
class ErroBanco : public std::runtime_error
{
public:
    explicit ErroBanco(const QString& texto) : std::runtime_error(texto.toStdString()), m_texto(texto) {}
    const QString& texto() const { return m_texto; }

private:
    QString m_texto;
};

// A delete refused before it ran because other rows still point at the row
// (a city that parties use, a product that weighings carry ...). Older
// databases declare no relations, so the registries check first; the text is
// the message the registry windows show.
class RegistroEmUso : public ErroBanco
{
public:
    RegistroEmUso() : ErroBanco(QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!"))
    {
    }
};

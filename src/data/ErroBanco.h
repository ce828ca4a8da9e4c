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

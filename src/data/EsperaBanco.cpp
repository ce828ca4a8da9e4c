// SPDX-License-Identifier: GPL-3.0-or-later
#include "EsperaBanco.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSqlError>

namespace
{
int limite = 10000;
EsperaBanco::Indicador& indicador()
{
    static EsperaBanco::Indicador i;
    return i;
}
} // namespace

EsperaBanco::~EsperaBanco()
{
    if (m_mostrando && indicador()) indicador()(QString());
}

bool EsperaBanco::ocupado(const QSqlError& erro)
{
    // SQLITE_BUSY (5) and SQLITE_LOCKED (6), with their extended codes
    bool ok = false;
    const int codigo = erro.nativeErrorCode().toInt(&ok);
    if (ok && ((codigo & 0xff) == 5 || (codigo & 0xff) == 6)) return true;
    const QString texto = erro.databaseText();
    return texto.contains(QLatin1String("database is locked"), Qt::CaseInsensitive) ||
           texto.contains(QLatin1String("database table is locked"), Qt::CaseInsensitive);
}

bool EsperaBanco::tentarDeNovo()
{
    if (!m_relogio.isValid()) m_relogio.start();
    if (m_relogio.elapsed() >= limite) return false;
    if (!m_mostrando) {
        m_mostrando = true;
        if (indicador())
            indicador()(
                QStringLiteral("Aguardando o banco de dados, em uso por outro programa ou estação..."));
    }
    // the window repaints; what the operator types waits for the statement
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

QString EsperaBanco::mensagemEsgotada(const QString& erroDoBanco)
{
    return QStringLiteral(
               "O banco de dados continuou bloqueado por outro programa ou estação por %1 segundos, "
               "e a operação não foi feita. Tente novamente em instantes.\rDetalhe: %2")
        .arg(limite / 1000.0, 0, 'g', 3)
        .arg(erroDoBanco.simplified().left(160));
}

void EsperaBanco::setLimiteMs(int ms)
{
    limite = ms;
}

int EsperaBanco::limiteMs()
{
    return limite;
}

void EsperaBanco::instalar(Indicador i)
{
    indicador() = std::move(i);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A workstation that runs the "Cópia de Segurança" of the database of
// $VIGA_HOME, for a test that kills it while the copy is being written.
#include "ConexaoFilho.h"
#include "CopiaSeguranca.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::unique_ptr<TDM> banco = ConectaFilho();
    QString arquivo, detalhe;
    const CopiaSeguranca::Resultado r = CopiaSeguranca::executar(*banco, &arquivo, &detalhe);
    std::printf("%d %s\n", int(r), qPrintable(detalhe));
    return r == CopiaSeguranca::Resultado::Gerada ? 0 : 1;
}

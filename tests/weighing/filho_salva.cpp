// SPDX-License-Identifier: GPL-3.0-or-later
// A workstation that saves one weighing and is then killed: it connects to
// the database of $VIGA_HOME, saves an exit-only weighing with two products,
// says "Operação efetuada com sucesso." on its standard output and waits to
// be killed.
#include "ConexaoFilho.h"
#include "ErroBanco.h"
#include "SalvaPesagem.h"
#include "TDM.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::unique_ptr<TDM> banco = ConectaFilho();
    TDM& dm = *banco;
    ConfigPesagem cfg = ConfigPesagem::ler(dm);
    PesagemTela p;
    p.modo = 2;
    p.estado = 0;
    p.codigo = QStringLiteral("41");
    p.placa = QStringLiteral("KIL0041");
    p.motorista = QStringLiteral("JOSE");
    p.cadCodigo = QStringLiteral("2");
    p.tipoParte = 1;
    p.manualEntrada = 0;
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("06:00:00");
    p.pesoEntrada = QStringLiteral("31000");
    p.dataSaida = QStringLiteral("10/12/2026");
    p.horaSaida = QStringLiteral("06:30:00");
    p.pesoSaida = QStringLiteral("12500,5");
    p.produtos = {{QStringLiteral("10"), QStringLiteral("SOJA")},
                  {QStringLiteral("20"), QStringLiteral("MILHO")}};
    try {
        SalvaPesagem::salvar(dm, p, cfg, true);
    } catch (const ErroBanco& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
        return 1;
    }
    std::printf("Operação efetuada com sucesso.\n");
    std::fflush(stdout);
    for (;;) {
        pause(); // the operator's machine loses power here
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A gatehouse workstation that stores entry weighings one after the other,
// as fast as it can, on the database of $VIGA_HOME: each with the number
// "Novo" proposes, left as proposed. Prints the stored numbers, one a line,
// and the failures on its error output; the exit code is the number of
// failed saves (at most 100).
//   pesagem_estacao QUANTAS ETIQUETA
#include "Conexao.h"
#include "ConsultaPesagem.h"
#include "ErroBanco.h"
#include "SalvaPesagem.h"
#include "TDM.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int quantas = argc > 1 ? std::atoi(argv[1]) : 10;
    const QString etiqueta = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("E");
    Conexao c;
    QString erro;
    if (!Conexao::ler(c, &erro)) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        return 100;
    }
    TDM dm(c);
    if (!dm.Conectar(&erro)) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        return 100;
    }
    const ConfigPesagem cfg = ConfigPesagem::ler(dm);
    int falhas = 0;
    for (int i = 0; i < quantas; ++i) {
        PesagemTela p;
        p.modo = 1;
        p.estado = 0;
        try {
            p.codigo = QString::number(ConsultaPesagem::proximoCodigo(dm));
            p.codigoProposto = true;
            p.placa = QStringLiteral("%1%2").arg(etiqueta).arg(i, 4, 10, QLatin1Char('0'));
            p.motorista = etiqueta;
            p.cadCodigo = QStringLiteral("1");
            p.dataEntrada = QStringLiteral("10/12/2026");
            p.horaEntrada = QStringLiteral("07:00:00");
            p.pesoEntrada = QString::number(10000 + i);
            p.produtos = {{QStringLiteral("10"), QStringLiteral("SOJA")},
                          {QStringLiteral("20"), QStringLiteral("MILHO")}};
            const qint64 numero = SalvaPesagem::salvar(dm, p, cfg, false);
            std::printf("%lld\n", numero);
        } catch (const ErroBanco& e) {
            ++falhas;
            std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
        }
    }
    std::fflush(stdout);
    return falhas > 100 ? 100 : falhas;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A gatehouse workstation that stores weighings one after the other, as
// fast as it can, on the database of $VIGA_HOME: entries, each with the
// number "Novo" proposes, left as proposed, and with MISTO the exit of its
// own last entry after each entry (loaded from the database, as from the
// list). Prints "E number" for each stored entry and "S number" for each
// stored exit, one a line, and the failures on its error output; the exit
// code is the number of failed saves (at most 100).
//   pesagem_estacao QUANTAS ETIQUETA [MISTO]
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
    const bool misto = argc > 3 && QByteArray(argv[3]) == "MISTO";
    ConfigPesagem cfg = ConfigPesagem::ler(dm);
    cfg.morProduto = 1; // two products a weighing: the product grid
    int falhas = 0;
    qint64 ultima = 0;
    for (int i = 0; i < quantas; ++i) {
        if (misto && i % 2 == 1) {
            try {
                auto s = ConsultaPesagem::carregar(dm, ultima, 2, cfg, true,
                                                   QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
                if (!s) {
                    throw ErroBanco(QStringLiteral("pesagem %1 não encontrada").arg(ultima));
                }
                s->pesoSaida = QString::number(30000 + i);
                SalvaPesagem::salvar(dm, *s, cfg, false);
                std::printf("S %lld\n", ultima);
            } catch (const ErroBanco& e) {
                ++falhas;
                std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
            }
            continue;
        }
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
            ultima = numero;
            std::printf("E %lld\n", numero);
        } catch (const ErroBanco& e) {
            ++falhas;
            std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
        }
    }
    std::fflush(stdout);
    return falhas > 100 ? 100 : falhas;
}

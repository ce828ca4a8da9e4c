// SPDX-License-Identifier: GPL-3.0-or-later
// A workstation killed with a truck on the deck: it connects to the database
// of $VIGA_HOME, follows an indicator that reads an empty deck and then a
// truck standing still, says "na plataforma" on its standard output and
// waits to be killed.
#include "ConexaoFilho.h"
#include "RegistroPassagens.h"
#include "Relogio.h"
#include "TDM.h"
#include "VigiaPlataforma.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::unique_ptr<TDM> banco = ConectaFilho();
    TDM& dm = *banco;
    VigiaPlataforma vigia{ConfigPortaria()};
    RegistroPassagens registro(dm, vigia);
    QObject::connect(&registro, &RegistroPassagens::falha,
                     [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); });
    const QDateTime inicio(QDate(2026, 12, 11), QTime(9, 0, 0));
    const int leituras[][2] = {{0, 1}, {9000, 0}, {21000, 0}, {27340, 1}, {27340, 1}};
    for (int i = 0; i < 5; ++i) {
        Relogio::fixar(inicio.addMSecs(i * 100));
        vigia.recebe({Decimal::fromInt(leituras[i][0]), leituras[i][1] != 0, false});
    }
    std::printf("na plataforma\n");
    std::fflush(stdout);
    for (;;) {
        pause(); // the power goes here
    }
}

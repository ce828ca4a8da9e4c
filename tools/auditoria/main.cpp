// SPDX-License-Identifier: GPL-3.0-or-later
// viga-auditoria: checks the chained audit log of the weighings against the
// database of the data folder, the same one viga opens ($VIGA_HOME, ...).
#include "Auditoria.h"
#include "Conexao.h"
#include "ErroBanco.h"
#include "PastaDados.h"
#include "TDM.h"
#include "TabelasEvidencia.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace
{

const char* const uso = R"(Uso: viga-auditoria --verificar
Confere o registro de auditoria das pesagens do VIGA.

  --verificar   percorre a cadeia de registros desde o primeiro, conferindo o
                hash SHA-256 de cada um e o elo com o anterior, e nomeia o
                primeiro que não confere; depois compara cada pesagem e os
                seus produtos com o último estado registrado e nomeia cada
                pesagem alterada fora do VIGA.
  -h, --help    mostra esta ajuda

O banco é o da pasta de dados do VIGA: $VIGA_HOME quando definida, como no
viga. Código de saída: 0 quando a cadeia e as pesagens conferem, 1 quando algo
não confere, 2 quando o banco não pôde ser lido.
)";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        saida << uso;
        return 0;
    }
    if (args != QStringList{QStringLiteral("--verificar")}) {
        erros << uso;
        return 2;
    }

    QString erro;
    Conexao conexao;
    if (!Conexao::ler(conexao, &erro)) {
        erros << erro << '\n';
        return 2;
    }
    TDM dm(conexao);
    // Only the connection: an empty or missing database is not created here
    // (there is nothing to check).
    if (!dm.Conectar(&erro)) {
        erros << "Não foi possível abrir o banco de dados: " << erro << '\n';
        return 2;
    }
    try {
        const Auditoria::Verificacao v = Auditoria::verifica(dm);
        for (const QString& p : v.problemas) {
            saida << p << '\n';
        }
        if (v.ok()) {
            saida << QStringLiteral(
                         "auditoria conferida: %1 registro(s), cadeia íntegra e pesagens conferem\n")
                         .arg(v.entradas);
            return 0;
        }
        return 1;
    } catch (const ErroBanco& e) {
        erros << "Erro ao ler a auditoria: " << e.texto() << '\n';
        return 2;
    }
}

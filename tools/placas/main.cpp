// SPDX-License-Identifier: GPL-3.0-or-later
// viga-placa: reads the plate of each camera picture named on the command
// line; for tests and for trying the reader on a site's own pictures.
#include "LeitorPlaca.h"

#include <QCoreApplication>
#include <QTextStream>

namespace
{

const char* const uso = R"(Uso: viga-placa [--limiar N] FOTO...
Lê a placa de cada foto (JPEG, PNG...) e escreve uma linha por foto:

  arquivo placa confiança      a placa lida (AAA9999 ou AAA9A99) e a confiança
                               da leitura, de 0 a 1
  arquivo sem placa            nenhuma placa com a confiança pedida

  --limiar N    confiança mínima de uma leitura, de 0 a 1 (padrão 0.85)
  -h, --help    mostra esta ajuda

Código de saída: 0 quando todas as fotos foram lidas (com ou sem placa), 1
quando alguma foto não pôde ser aberta, 2 quando os argumentos estão errados
ou o leitor de caracteres não pôde ser carregado.
)";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);
    QStringList fotos;
    double limiar = LeitorPlaca::limiarPadrao;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            saida << uso;
            return 0;
        }
        if (a == QLatin1String("--limiar")) {
            bool ok = false;
            limiar = i + 1 < args.size() ? args[++i].toDouble(&ok) : 0;
            if (!ok || limiar < 0 || limiar > 1) {
                erros << "viga-placa: o limiar é um número de 0 a 1.\n" << uso;
                return 2;
            }
            continue;
        }
        if (a.startsWith(u'-') && a.size() > 1) {
            erros << "viga-placa: opção desconhecida: " << a << "\n" << uso;
            return 2;
        }
        fotos << a;
    }
    if (fotos.isEmpty()) {
        erros << uso;
        return 2;
    }
    LeitorPlaca leitor;
    if (!leitor.pronto()) {
        erros << "viga-placa: " << leitor.erro() << "\n";
        return 2;
    }
    leitor.setLimiar(limiar);
    int codigo = 0;
    for (const QString& foto : std::as_const(fotos)) {
        const LeituraPlaca l = leitor.lerArquivo(foto);
        if (!leitor.erro().isEmpty()) {
            erros << "viga-placa: " << leitor.erro() << "\n";
            codigo = 1;
            continue;
        }
        if (l.achou()) {
            saida << foto << ' ' << l.placa << ' ' << QString::number(l.confianca, 'f', 2) << '\n';
        } else {
            saida << foto << " sem placa\n";
        }
        saida.flush();
    }
    return codigo;
}

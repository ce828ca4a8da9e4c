// SPDX-License-Identifier: GPL-3.0-or-later
// viga-placa: reads the plate of each camera picture named on the command
// line; for tests and for trying the reader on a site's own pictures.
#include "LeitorPlaca.h"

#include "LinhaComando.h"

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
  -v, --version mostra a versão

Código de saída: 0 quando todas as fotos foram lidas (com ou sem placa), 1
quando alguma foto não pôde ser aberta, 2 quando os argumentos estão errados
ou o leitor de caracteres não pôde ser carregado.
)";

} // namespace

int main(int argc, char** argv)
{
    QCommandLineParser p;
    declaraOpcoes(p, {{"h,help"}, {"v,version"}, {"limiar", "N"}});
    const ErroLinhaComando e = leLinhaComando(p, argumentosDe(argc, argv));
    QCoreApplication app(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);
    if (p.isSet(QStringLiteral("help"))) {
        saida << uso;
        return 0;
    }
    if (p.isSet(QStringLiteral("version"))) {
        saida << "viga-placa " << VIGA_VERSION << "\n";
        return 0;
    }
    if (e.tipo == ErroLinhaComando::Desconhecida) {
        erros << "viga-placa: opção desconhecida: " << e.argumento << " (veja --help)\n";
        return 2;
    }
    if (e.tipo == ErroLinhaComando::SemValor) {
        erros << "viga-placa: falta o valor de " << e.argumento << " (veja --help)\n";
        return 2;
    }
    double limiar = LeitorPlaca::limiarPadrao;
    if (p.isSet(QStringLiteral("limiar"))) {
        bool ok = false;
        limiar = p.value(QStringLiteral("limiar")).toDouble(&ok);
        if (!ok || limiar < 0 || limiar > 1) {
            erros << "viga-placa: o limiar é um número de 0 a 1.\n" << uso;
            return 2;
        }
    }
    const QStringList fotos = p.positionalArguments();
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinhaComando.h"

namespace
{
// "--pasta=treino" -> "--pasta"
QString semValor(const QString& argumento)
{
    const qsizetype igual = argumento.indexOf(u'=');
    return argumento.startsWith(QLatin1String("--")) && igual > 0 ? argumento.left(igual) : argumento;
}

QString semTracos(const QString& nome)
{
    qsizetype i = 0;
    while (i < nome.size() && nome[i] == u'-')
        ++i;
    return nome.mid(i);
}
} // namespace

void declaraOpcoes(QCommandLineParser& parser, std::initializer_list<OpcaoLinhaComando> opcoes)
{
    for (const OpcaoLinhaComando& o : opcoes) {
        const QStringList nomes = QString::fromLatin1(o.nomes).split(u',');
        parser.addOption(o.valor ? QCommandLineOption(nomes, QString(), QString::fromLatin1(o.valor))
                                 : QCommandLineOption(nomes));
    }
}

ErroLinhaComando leLinhaComando(QCommandLineParser& parser, const QStringList& argumentos)
{
    if (parser.parse(argumentos)) return {};
    // Only what comes before "--" is an option.
    QStringList opcoes;
    for (qsizetype i = 1; i < argumentos.size() && argumentos[i] != QLatin1String("--"); ++i) {
        if (argumentos[i].startsWith(u'-') && argumentos[i].size() > 1) opcoes << argumentos[i];
    }
    const QStringList desconhecidas = parser.unknownOptionNames();
    if (!desconhecidas.isEmpty()) {
        for (const QString& a : opcoes) {
            const QString nome = semTracos(semValor(a));
            // "-xy": the short options are read one letter at a time
            if (nome == desconhecidas.first() ||
                (!a.startsWith(QLatin1String("--")) && nome.contains(desconhecidas.first())))
                return {ErroLinhaComando::Desconhecida, a};
        }
        return {ErroLinhaComando::Desconhecida, desconhecidas.first()};
    }
    // A value where the option takes none ("--fixo=1").
    for (const QString& a : opcoes) {
        const QString nome = semTracos(semValor(a));
        if (a.contains(u'=') && parser.optionNames().contains(nome) && parser.value(nome).isEmpty())
            return {ErroLinhaComando::Desconhecida, a};
    }
    // Otherwise an option that takes a value came last, with none after it.
    return {ErroLinhaComando::SemValor, argumentos.isEmpty() ? QString() : semValor(argumentos.last())};
}

QStringList argumentosDe(int argc, char** argv)
{
    QStringList lista;
    for (int i = 0; i < argc; ++i)
        lista << QString::fromLocal8Bit(argv[i]);
    return lista;
}

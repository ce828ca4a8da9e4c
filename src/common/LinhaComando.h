// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <initializer_list>

// The command line of a tool, read by QCommandLineParser with the tool's own
// table of options. The parser's own texts are English; what went wrong is
// told here so that each tool says it in Portuguese, naming the argument as
// the user typed it.
struct ErroLinhaComando {
    enum Tipo {
        Nenhum,
        Desconhecida, // an option the tool does not have, or a value given to one that takes none
        SemValor,     // an option that takes a value, last on the line
    };
    Tipo tipo = Nenhum;
    QString argumento; // as typed ("--pasta=treino"); for SemValor the option's name ("--taxa")
};

// One row of a tool's table of options: its names ("h,help") and, for an
// option that takes a value, the value's name in the help ("ARQ").
struct OpcaoLinhaComando {
    const char* nomes;
    const char* valor = nullptr;
};
void declaraOpcoes(QCommandLineParser& parser, std::initializer_list<OpcaoLinhaComando> opcoes);

// Parses `argumentos` (the program's name first) into `parser`.
ErroLinhaComando leLinhaComando(QCommandLineParser& parser, const QStringList& argumentos);

// The program's arguments as the system gave them, before any application object exists.
QStringList argumentosDe(int argc, char** argv);

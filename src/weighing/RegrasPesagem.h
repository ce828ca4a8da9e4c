// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Pesagem.h"

#include <QDateTime>
#include <QString>

// The rules of the weighing window that need no window: the Save button's
// rule, the date, time and weight checks, the weight order, "Novo".

// Message icons (the flags of the dialogs service).
namespace IconePesagem
{
enum : int { Erro = 16, Pergunta = 32, Aviso = 48, Informacao = 64 };
}

// How the weight of the current side stands for the Save button.
struct EstadoPeso {
    bool lampadaVerde = false;
    bool demanda = false;       // CFG_INTERFACE = 1: the lamp counts as green
    bool foraDeFaixa = false;   // the indicator flagged its last reading as out of range
    bool leituraParada = false; // no valid frame for longer than the silence time: the weight is stale
};

// UpdateSaveButton: whether Save may be pressed, and which captions are
// shown as required (blue) or optional (black).
struct RegraSalvar {
    bool habilitado = false;
    bool placaObrigatoria = true;   // "Placa:"
    bool nomeObrigatorio = true;    // "Nome:"
    bool parteObrigatoria = true;   // the party kind list
    bool produtoObrigatorio = true; // "Produto:"
};
RegraSalvar UpdateSaveButton(const PesagemTela& p, const ConfigPesagem& cfg, const EstadoPeso& peso);

// A weight box holding a number above 0 whose reading counts as settled.
bool PesoOk(const QString& caixa, const EstadoPeso& peso);
// With the product grid, a grid with a product; otherwise a known product code.
bool ProdutoOk(const PesagemTela& p, const ConfigPesagem& cfg);
// A time field with nothing typed ("  :  :  ").
bool HoraVazia(const QString& hora);

// The result of checking a field when the operator leaves it.
struct Checagem {
    bool recusado = false; // the field is cleared and focused again
    QString texto;         // the field's text afterwards
    QString mensagem;      // shown when not empty
    QString titulo;
    int icone = IconePesagem::Informacao;
};
Checagem ChecaDataEntrada(const QString& data, const QDate& hoje);
Checagem ChecaDataSaida(const QString& dataSaida, const QString& dataEntrada);
Checagem ChecaHoraEntrada(const QString& hora);
Checagem ChecaHoraSaida(const QString& horaSaida, const QString& horaEntrada, const QString& dataEntrada,
                        const QString& dataSaida);
// Leaving a weight box: a number with `casas` decimals, anything else 0 with
// those decimals; a lone comma in the entry box is cleared.
QString NormalizaPeso(const QString& caixa, int casas, bool caixaEntrada);
// Leaving "Peso Nota Fiscal:": a lone comma cleared, an empty field "0,00".
QString NormalizaPesoNota(const QString& texto);

// The weight order of an exit weighing (both boxes hold numbers): a client
// leaves heavier, a supplier arrives heavier.
struct OrdemPesos {
    enum Acao { Segue, Pergunta, Recusa };
    Acao acao = Segue;
    QString mensagem;
    QString titulo;
};
// `permitido`: the administrator or USR_PESOINFERIOR.
OrdemPesos ConfereOrdemPesos(int tipoParte, const QString& pesoEntrada, const QString& pesoSaida,
                             bool permitido);

// "Novo": the fields a new weighing starts with. Entry: the code, today and
// now. Exit-only (CFG_SOMENTESAIDA = 1 in exit mode): also the exit date and
// time, and the entry typed by hand.
PesagemTela NovaPesagem(int modo, const ConfigPesagem& cfg, qint64 proximoCodigo, const QDateTime& agora);

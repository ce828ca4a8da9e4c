// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <array>
#include <optional>

class TDM;

// The settings of Config the weighing window and its save read, taken when
// the window is shown.
struct ConfigPesagem {
    int somenteSaida = 0;                // CFG_SOMENTESAIDA
    int morProduto = 0;                  // CFG_MORPRODUTO: the product grid
    int tipoVeiculo = 0;                 // CFG_TIPOVEICULO
    int frete = 0;                       // CFG_FRETE
    int umidade = 0;                     // CFG_UMIDADE: factors at exit (1 fixed, 2 typed)
    int umidadeE = 0;                    // CFG_UMIDADEE: factors at entry
    int umidadeUnica = 0;                // CFG_UMIDADEUNICA
    int somenteProduto = 0;              // CFG_SOMENTEPRODUTO
    int produtoOpcional = 0;             // CFG_PRODUTOOPCIONAL
    int pesagemVagao = 0;                // CFG_PESAGEMVAGAO
    int taraPesagem = 0;                 // CFG_TARAPESAGEM
    int casasDecimais = 2;               // CFG_CASASDECIMAIS
    int casasUmidade = 2;                // CFG_CASASUMIDADE
    int exibePesagens = 0;               // CFG_EXIBEPESAGENS
    int grade = 0;                       // CFG_GRADE
    int cadMotorista = 0;                // CFG_CADMOTORISTA
    int pesagemObs = 0;                  // CFG_PESAGEMOBS
    int navio = 0;                       // CFG_NAVIO
    int pesoEmbalagem = 0;               // CFG_PESOEMBALAGEM
    int alteraDataHora = 0;              // CFG_ALTERADATAHORA
    int editarSaida = 0;                 // CFG_EDITARSAIDA
    int selecionaBal = 0;                // CFG_SELECIONABAL
    int interfaceSerial = 0;             // CFG_INTERFACE: 1 "Demanda"
    int modeloPlaca = 0;                 // CFG_MODELOPLACA
    int divisao = 3;                     // CFG_DIVISAO
    int baud = 4;                        // CFG_BAUD
    std::array<QString, 4> nomesFatores; // CFG_FATOR7 .. CFG_FATOR10

    // The row of Config; the defaults above when there is none.
    static ConfigPesagem ler(TDM& dm);
};

// One product of the product grid.
struct ProdutoGrade {
    QString codigo;
    QString descricao;
};

// The weighing on screen, field by field as the window shows it (texts with
// the decimal comma, dates dd/mm/yyyy, times hh:mm:ss). The rules, the
// look-ups and the save read and write this record; the window only binds it
// to its controls.
struct PesagemTela {
    int modo = 1;   // 1 entry, 2 exit
    int estado = 3; // 0 new, 1 editing an existing weighing, 3 idle

    QString codigo;               // "Código Pesagem:"
    QString placa;                // "Placa:"
    QString placaCarreta;         // "Placa da Carreta:"
    QString pesoNota;             // "Peso Nota Fiscal:"
    QString nf;                   // "Nº da N. F.:"
    QString chaveNfe;             // the invoice's access key, when one was read into "Nº da N. F.:"
    QString pesoEmbalagem;        // "Peso Embalagem:"
    QString rgMotorista;          // "R.G. Motorista:"
    QString motorista;            // "Nome:"
    QString obs;                  // "Obs.:"
    int tipoParte = 0;            // 0 "Cliente" (CAD_TIPO 3), 1 "Fornecedor" (4)
    QString cadCodigo;            // party code
    QString cadRazao;             // party name
    QString traCodigo;            // carrier code
    QString traRazao;             // carrier name
    std::optional<int> tpvCodigo; // "Tipo:" when shown
    QString frete;                // "Frete:"
    QString km;                   // "KM.:" or, with the vehicle type, "Vlr."
    QString percDesc;             // "Desc.%"
    QString prdCodigo;            // "Produto:"
    QString prdDescricao;
    QList<ProdutoGrade> produtos;        // the product grid (CFG_MORPRODUTO = 1)
    QString tara;                        // "Tara:"
    std::array<QString, 6> fatoresFixos; // hidden factors 1-6
    std::array<QString, 4> fatores;      // factors 7-10
    std::array<bool, 4> fatorVisivel{};  // which of factors 7-10 the window shows
    QString umidade;                     // "Umidade:"
    QString descontoUmidade;             // "Fator de Desconto da Umidade:"
    bool umidadeVisivel = false;
    int manualEntrada = 1; // entry weighing-mode list: 0 manual, 1 automatic
    QString dataEntrada;
    QString horaEntrada;
    QString pesoEntrada;
    int manualSaida = 1; // exit weighing-mode list
    QString dataSaida;
    QString horaSaida;
    QString pesoSaida;
    QString statusTexto; // the indicator's status word, as it sent it

    // True when the exit date of a loaded weighing was already stored.
    bool saidaGravada = false;

    // The number shown at "Novo" and left as it was: a proposal, not a
    // reservation. The save takes the next free number and stores that.
    bool codigoProposto = false;
    // The stored Pesagem row as it was loaded (column in lower case ->
    // value): the save and the delete apply only while the stored row is
    // still so. Empty for a new weighing.
    QVariantMap armazenada;
};

// "NÃO CADASTRADO": what a look-up shows for a code that does not exist.
extern const QString NaoCadastrado;

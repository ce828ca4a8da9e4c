// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The 44-digit access key of an electronic invoice, as its printed copy shows
// it (in groups of four) and as a barcode scanner types it: state, year and
// month of issue, the issuer's CNPJ, model, series, number, emission form, a
// random code and a modulo-11 check digit.
struct ChaveAcesso {
    // What a text typed into the invoice field is.
    enum class Tipo {
        Numero,  // a short invoice number typed by hand: kept as typed
        Chave,   // a valid access key
        Recusada // looks like a key but is not one: `erro` says why
    };

    Tipo tipo = Tipo::Numero;
    QString erro;
    QString chave;    // the 44 digits, without blanks
    int codigoUf = 0; // the state's code (35 = SP)
    QString uf;       // "SP"
    int ano = 0;      // 2026
    int mes = 0;      // 1 to 12
    QString cnpj;     // 14 digits
    int modelo = 0;   // 55 invoice, 65 consumer invoice, 57 transport, ...
    int serie = 0;
    QString numero; // the invoice number without leading zeros

    // Reads a typed or scanned text. Blanks, dots and hyphens between the
    // digits are ignored (the printed copy groups them).
    static ChaveAcesso ler(const QString& texto);

    // The modulo-11 check digit of the first 43 digits (weights 2 to 9 from
    // the right; a remainder of 0 or 1 gives 0).
    static int digitoVerificador(const QString& digitos43);

    // "12.345.678/0001-95"
    QString cnpjFormatado() const;
    // "SP, 03/2026, CNPJ 12.345.678/0001-95": what the operator is shown.
    QString resumo() const;

    // The warnings of a valid key: the issuer is not the selected party (when
    // one with a tax number is selected) or the month of issue is more than
    // two months before today.
    QStringList avisos(const QString& cnpjDaParte, const QDate& hoje) const;
};

// What leaving "Nº da N. F.:" makes of the text typed or scanned into it:
// a short number stays as typed; a valid key becomes its invoice number and
// is kept whole for the weighing; anything else that looks like a key is
// refused and nothing changes.
struct NotaFiscalDigitada {
    bool recusada = false;
    QString erro;       // why it was refused
    QString numero;     // what the field shows now
    QString chave;      // the key kept with the weighing; empty when none
    QString resumo;     // the key read just now: "SP, 03/2026, CNPJ ..."
    QStringList avisos; // of the key read just now

    // `chaveAtual`: the key kept so far (loaded with the weighing or read
    // before); it stays while the field still shows its number.
    // `cnpjDaParte`: the tax number of the selected client or supplier.
    static NotaFiscalDigitada ler(const QString& texto, const QString& chaveAtual, const QString& cnpjDaParte,
                                  const QDate& hoje);
};

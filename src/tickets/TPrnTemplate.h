// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

class RVDataSet;
class TDM;
class TRelevo;

// A template that cannot be printed: a group with a width, position or line
// selector that is not a number.
class ErroTemplate : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Prints a ticket template: numbered text lines whose bracketed groups are
// expanded against the current row of the ticket query (fields, conditions,
// amounts in words, date parts, numbers, substrings) and whose printer tags
// become the control codes of the job's printer model.
class TPrnTemplate
{
public:
    TPrnTemplate() = default;

    short Template = 0;              // TEM_CODIGO
    TRelevo* Relevo = nullptr;       // the job written to
    RVDataSet* DataSet = nullptr;    // the ticket query, on its first row
    RVDataSet* DataSetSec = nullptr; // moved to its first row for every copy after the first
    int Copias = 1;
    int Imprime = 1; // lines are written only when 1
    int Coluna = 0;  // column of every line

    // The variables PAGINA and PAGINAS.
    int PAGINA = 0;
    int PAGINAS = 0;

    // Reads the template's lines (Qr_temp1) and prints every copy into the job.
    // Throws ErroTemplate or ErroBanco; the job is ended either way.
    void Imprimir(TDM& dm);
    // The same with the lines already read.
    void Imprimir(const QStringList& linhas);

    // One line expanded against the current row of `dados`.
    QString ExpandirLinha(const QString& linha, const RVDataSet& dados);

    // The lines of template `codigo`, in order.
    static QStringList Linhas(TDM& dm, int codigo);

private:
    bool ehVariavel(const QString& nome) const;
    int variavel(const QString& nome) const;
    QString valorCampo(const RVDataSet& dados, const QString& nome, bool* existe = nullptr) const;
    QString valorGrupo(const QString& grupo, const RVDataSet& dados);
    QString tags(const QString& linha);
};

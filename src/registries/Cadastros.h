// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class TDM;

// The parties registry (table Cadastrao, one table for every kind): captions
// per kind, the checks made while a party is typed, its save and its delete.
namespace Cadastros
{

enum Tipo { Emissor = 1, Transportadora = 2, Cliente = 3, Fornecedor = 4, Motorista = 5 };
enum Pessoa { Fisico = 0, Juridico = 1 };

// "Cadastro de Cliente" ...; kind 2 reads "Cadastro de Navio" when the site weighs ships.
QString tituloJanela(int tipo, bool navio);

// A party as typed in the window (texts as the fields hold them; the tax number
// and CEP empty when their masks are untouched).
struct Ficha {
    int codigo = 0;
    int tipo = 0;
    int pessoa = Juridico;
    QString cpfCgc;
    QString insRg;
    QString razao;
    QString fantasia;
    QString endereco;
    QString bairro;
    QString cep;
    QString fone;
    QString fax;
    QString contato;
    QString email;
    QString site;
    QString data; // dd/mm/yyyy or blank
    int cidade = 0;
    bool inativo = false;
    QString placa;
    QString tara;
    QString obs;
};

// Next code of a kind: highest code of that kind plus 1.
int proximoCodigo(TDM& dm, int tipo);

// Another party (of any kind) holding this tax number. The party being edited
// (code and kind) is not counted; codigo 0 counts every party.
bool documentoEmUso(TDM& dm, const QString& cpfCgc, int codigo, int tipo);
// Another party of the same person type holding this RG / state registration.
bool rgEmUso(TDM& dm, const QString& insRg, int pessoa, int codigo, int tipo);

// Address of the first party registered with this CEP.
struct Endereco {
    QString endereco;
    QString bairro;
    int cidade = 0;
    QString nomeCidade;
};
std::optional<Endereco> enderecoDoCep(TDM& dm, const QString& cep);

// Builds the INSERT (inserir) or UPDATE of the party on QR_EXEC with its values
// bound, ready for the SQL trace and for gravar().
void montarGravacao(TDM& dm, const Ficha& f, bool inserir);
// Runs what montarGravacao() built, in a transaction; throws ErroBanco (rolled back).
void gravar(TDM& dm);

// Weighings that use the party (carriers through CAD_CODIGOTRA; clients and
// suppliers through CAD_CODIGO; drivers are not linked by code).
int pesagensDoCadastro(TDM& dm, int codigo, int tipo);
// Deletes the party in a transaction; throws RegistroEmUso while a weighing
// names it (as client or supplier, carrier or issuer), ErroBanco (rolled back)
// when the database refuses.
void excluir(TDM& dm, int codigo, int tipo);

} // namespace Cadastros

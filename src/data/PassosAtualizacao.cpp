// SPDX-License-Identifier: GPL-3.0-or-later
#include "PassosAtualizacao.h"

namespace
{

const QString criaLinhasTempl =
    QStringLiteral("CREATE TABLE LINHASTEMPL ( TEM_CODIGO\tSMALLINT NOT NULL, LIN_CODIGO\tSMALLINT NOT NULL, "
                   "LIN_TEXTO\ttext, "
                   "Constraint LINHASTEMPL_PK  PRIMARY KEY (TEM_CODIGO, LIN_CODIGO))");
const QString criaTipoVeiculo = QStringLiteral(
    "CREATE TABLE TIPOVEICULO ( TPV_CODIGO\tSMALLINT NOT NULL, TPV_DESCRICAO\tvarchar(50), TPV_VALOR\tmoney, "
    "Constraint TIPOVEICULO_PK  PRIMARY KEY (TPV_CODIGO))");
const QString criaEmbalagem = QStringLiteral("CREATE TABLE EMBALAGEM ( EMB_CODIGO\tINTEGER NOT NULL, "
                                             "EMB_DESCRICAO\tVARCHAR(100), EMB_ATIVA\t smallint, "
                                             "Constraint EMBALAGEM_PK  PRIMARY KEY (EMB_CODIGO))");
const QString criaProdutoEmbalagem =
    QStringLiteral("CREATE TABLE Produto_Embalagem ( EMB_CODIGO\tINTEGER NOT NULL, prd_codigo  varchar(13), "
                   "pre_peso\t money, "
                   "Constraint Produto_Embalagem_PK  PRIMARY KEY (EMB_CODIGO,prd_codigo))");

} // namespace

const std::vector<PassoAtualizacao>& PassosAtualizacao::passos()
{
    static const std::vector<PassoAtualizacao> p = {
        {"x230207",
         {"alter Table config add cfg_linhasTicket smallint", "update config set cfg_linhasTicket=66"}},
        {"x100407", {"alter Table config add CFG_EXIBEPESAGENS smallint"}},
        {"x170407",
         {"alter Table config add cfg_fontePadrao varchar(20)",
          "update config set cfg_fontePadrao='Courier New'"}},
        {"y170407",
         {"alter Table config add cfg_fonteTamanho integer", "update config set cfg_fonteTamanho=8"}},
        {"z170407",
         {"alter Table config add CFG_ALTERADATAHORA smallint", "update config set CFG_ALTERADATAHORA=1"}},
        {"x180407", {"alter Table config add CFG_IMPTRANSP smallint", "update config set CFG_IMPTRANSP=1"}},
        {"y180407", {"alter Table config add CFG_TICKET40 smallint"}},
        {"270407",
         {"alter Table USUARIOS add USR_EDITAPESAGEM smallint", "update USUARIOS set USR_EDITAPESAGEM=0"}},
        {"220607",
         {"alter Table config add CFG_UMIDADEUNICA smallint", "update config set CFG_UMIDADEUNICA=0"}},
        {"220607a",
         {"alter Table config add CFG_SOMENTEPRODUTO smallint", "update config set CFG_SOMENTEPRODUTO=0"}},
        {"040907",
         {"alter Table config add CFG_ITEMDESC varchar(20)",
          "update config set CFG_ITEMDESC='Itens.........:'"}},
        {"050907",
         {"alter Table config add CFG_PESOEMBALAGEM smallint", "update config set CFG_PESOEMBALAGEM=0"}},
        {"240907", {"alter Table config add CFG_PORTASAIDA smallint", "update config set CFG_PORTASAIDA=0"}},
        {"091007", {"alter Table cadastrao add cad_inativo smallint", "update cadastrao set cad_inativo=0"}},
        {"091007a",
         {"alter Table config add CFG_CADMOTORISTA smallint", "update config set CFG_CADMOTORISTA=0"}},
        {"091007b", {"alter Table pesagem add PES_RGMotorista varchar(15)"}},
        {"091007c", {"alter Table pesagem ALTER COLUMN  PES_nf varchar(30)"}},
        {"221107", {"alter Table config add CFG_TARAFIXA MONEY"}},
        {"291107", {"alter Table config add CFG_SUPERVISOR smallint"}},
        {"051207",
         {"alter Table config add CFG_FRETE smallint", "alter Table pesagem add PES_FRETE money",
          "alter Table pesagem add PES_KM money"}},
        {"101207", {"alter Table config add CFG_PRDALFA smallint"}},
        {"290108", {"alter Table config add CFG_TEMPLATE smallint", criaLinhasTempl}},
        {"050308", {"alter Table config add CFG_SOMENTESAIDA smallint"}},
        {"050308b",
         {"alter Table config add CFG_METROSCUBICOS smallint",
          "alter table produto add PRD_densidade money"}},
        {"300408", {"alter Table config add CFG_CASASUMIDADE smallint"}},
        {"300508",
         {"alter Table cadastrao add cad_placa varchar(7)", "alter Table cadastrao add cad_tara money"}},
        {"200608", {"alter Table CONFIG add CFG_SELECIONABAL smallint"}},
        {"230708", {"alter Table config add CFG_TIPOVEICULO smallint", criaTipoVeiculo}},
        {"230708a",
         {"alter Table pesagem add TPV_COdigo smallint", "alter Table pesagem add pes_valor money"}},
        {"130808", {"alter Table pesagem add pes_percDesc money"}},
        {"021008", {"alter Table CONFIG add CFG_PESAGEMOBS smallint"}},
        {"021008a", {"alter Table pesagem add pes_obs varchar(80)"}},
        {"161208",
         {"alter Table USUARIOS add USR_PESOINFERIOR smallint", "update USUARIOS set USR_PESOINFERIOR=1"}},
        {"180208",
         {"alter Table CONFIG add CFG_PESAGEMVAGAO smallint",
          "alter Table pesagem ALTER COLUMN pes_placa varchar(20)"}},
        {"130309", {criaEmbalagem, "alter Table CONFIG add CFG_CADEMBALAGEM smallint"}},
        {"130309a", {criaProdutoEmbalagem}},
        {"290509",
         {"alter Table CONFIG add CFG_VLRTONELADA smallint",
          "alter Table produto add prd_vlrTONELADA money"}},
        {"060709", {"alter Table CONFIG add CFG_PRODUTOOPCIONAL smallint"}},
        {"060709a", {"alter Table CONFIG add CFG_editarsaida smallint"}},
        {"080909", {"alter table config add CFG_INTERFACE smallint"}},
        {"120510", {"alter Table CONFIG add CFG_ALTERACODIGO smallint"}},
        {"120510a", {"alter Table CONFIG add CFG_NAVIO smallint"}},
        {"240510", {"alter Table pesagem add pes_obsSaida varchar(80)"}},
        {"070610",
         {"alter Table config add CFG_TARAPESAGEM smallint",
          "alter Table pesagem add pes_TaraPesagem money"}},
        {"060710",
         {"alter Table config add CFG_TEMPLATEENTRADA smallint",
          "alter Table config add CFG_TEMPLATESAIDA smallint"}},
        {"020810", {"alter Table config add CFG_CABECA smallint"}},
        {"310810",
         {"alter Table USUARIOS add USR_ALTPESOENT smallint",
          "update USUARIOS set USR_ALTPESOENT=USR_ALTPESO"}},
        {"161110", {"alter Table config add CFG_Grade smallint"}},
        {"070611", {"alter Table produto add prd_codigoint integer"}},
        {"070611b", {"update produto set prd_codigoint=prd_codigo"}},
    };
    return p;
}

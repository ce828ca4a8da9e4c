// SPDX-License-Identifier: GPL-3.0-or-later
#include "Esquema.h"

#include "Dialeto.h"
#include "ErroBanco.h"
#include "PassosAtualizacao.h"
#include "TDM.h"
#include "TabelasEvidencia.h"
#include "TabelasPortaria.h"

#include <QDebug>
#include <QFile>
#include <QSqlRecord>

namespace
{

// Column type tokens: {N} number (weights, factors, percentages), {M} money,
// {T} time of day (hh:mm:ss).
struct Coluna {
    const char* nome;
    const char* tipo;
    bool base = true;                 // present in the oldest databases
    const char* tipoAntigo = nullptr; // the oldest databases' type, when it differs
};

struct Tabela {
    const char* nome;
    std::vector<Coluna> colunas;
    const char* chave = nullptr;     // primary key columns
    bool base = true;                // the oldest databases have the table
    std::vector<const char*> extras; // relations of a new database
};

const std::vector<Tabela>& tabelas()
{
    static const std::vector<Tabela> t = {
        {"CONFIG",
         {{"CFG_CHAVE", "INTEGER"},
          {"CFG_PORTA", "INTEGER"},
          {"CFG_BAUD", "INTEGER"},
          {"CFG_BITS", "INTEGER"},
          {"CFG_PARIDADE", "INTEGER"},
          {"CFG_STOP", "INTEGER"},
          {"CFG_FLHARD", "INTEGER"},
          {"CFG_FLSOFT", "INTEGER"},
          {"CFG_MODELOPLACA", "INTEGER"},
          {"CFG_CASASDECIMAIS", "INTEGER"},
          {"CFG_DIVISAO", "INTEGER"},
          {"CFG_IMPRESSORA", "INTEGER"},
          {"CFG_PORTAREDE", "VARCHAR(50)"},
          {"CFG_IMPRESSAOFORWINDOWS", "INTEGER"},
          {"CFG_TICKETSINTETICO", "INTEGER"},
          {"CFG_MORPRODUTO", "INTEGER"},
          {"CFG_LINESPACE", "INTEGER"},
          {"CFG_UMIDADE", "INTEGER"},
          {"CFG_UMIDADEE", "INTEGER"},
          {"CFG_FATOR1", "VARCHAR(10)"},
          {"CFG_FATOR2", "VARCHAR(10)"},
          {"CFG_FATOR3", "VARCHAR(10)"},
          {"CFG_FATOR4", "VARCHAR(10)"},
          {"CFG_FATOR5", "VARCHAR(10)"},
          {"CFG_FATOR6", "VARCHAR(10)"},
          {"CFG_FATOR7", "VARCHAR(8)"},
          {"CFG_FATOR8", "VARCHAR(8)"},
          {"CFG_FATOR9", "VARCHAR(8)"},
          {"CFG_FATOR10", "VARCHAR(8)"},
          {"CFG_ATUALIZA", "INTEGER", false},
          {"CFG_LINHASTICKET", "SMALLINT", false},
          {"CFG_EXIBEPESAGENS", "SMALLINT", false},
          {"CFG_FONTEPADRAO", "VARCHAR(20)", false},
          {"CFG_FONTETAMANHO", "INTEGER", false},
          {"CFG_ALTERADATAHORA", "SMALLINT", false},
          {"CFG_IMPTRANSP", "SMALLINT", false},
          {"CFG_TICKET40", "SMALLINT", false},
          {"CFG_UMIDADEUNICA", "SMALLINT", false},
          {"CFG_SOMENTEPRODUTO", "SMALLINT", false},
          {"CFG_ITEMDESC", "VARCHAR(20)", false},
          {"CFG_PESOEMBALAGEM", "SMALLINT", false},
          {"CFG_PORTASAIDA", "SMALLINT", false},
          {"CFG_CADMOTORISTA", "SMALLINT", false},
          {"CFG_TARAFIXA", "{M}", false},
          {"CFG_SUPERVISOR", "SMALLINT", false},
          {"CFG_FRETE", "SMALLINT", false},
          {"CFG_PRDALFA", "SMALLINT", false},
          {"CFG_TEMPLATE", "SMALLINT", false},
          {"CFG_SOMENTESAIDA", "SMALLINT", false},
          {"CFG_METROSCUBICOS", "SMALLINT", false},
          {"CFG_CASASUMIDADE", "SMALLINT", false},
          {"CFG_SELECIONABAL", "SMALLINT", false},
          {"CFG_TIPOVEICULO", "SMALLINT", false},
          {"CFG_PESAGEMOBS", "SMALLINT", false},
          {"CFG_PESAGEMVAGAO", "SMALLINT", false},
          {"CFG_CADEMBALAGEM", "SMALLINT", false},
          {"CFG_VLRTONELADA", "SMALLINT", false},
          {"CFG_PRODUTOOPCIONAL", "SMALLINT", false},
          {"CFG_EDITARSAIDA", "SMALLINT", false},
          {"CFG_INTERFACE", "SMALLINT", false},
          {"CFG_ALTERACODIGO", "SMALLINT", false},
          {"CFG_NAVIO", "SMALLINT", false},
          {"CFG_TARAPESAGEM", "SMALLINT", false},
          {"CFG_TEMPLATEENTRADA", "SMALLINT", false},
          {"CFG_TEMPLATESAIDA", "SMALLINT", false},
          {"CFG_CABECA", "SMALLINT", false},
          {"CFG_GRADE", "SMALLINT", false}}},
        {"CONFIGTICKET",
         {{"CFG_SHOWCODIGO", "INTEGER"},
          {"CFG_SHOWMOTORISTA", "INTEGER"},
          {"CFG_SHOWNF", "INTEGER"},
          {"CFG_SHOWPLACA", "INTEGER"},
          {"CFG_SHOWPLACACARRETA", "INTEGER"}}},
        {"USUARIOS",
         {{"USR_LOGIN", "VARCHAR(12) NOT NULL"},
          {"USR_NOME", "VARCHAR(80)"},
          {"USR_SENHA", "VARCHAR(12)"},
          {"USR_CADASTROS", "SMALLINT"},
          {"USR_RELATORIOS", "SMALLINT"},
          {"USR_ALTPESO", "SMALLINT"},
          {"USR_PESAGEM", "SMALLINT"},
          {"USR_PESAGEMSAIDA", "SMALLINT"},
          {"USR_EDITAPESAGEM", "SMALLINT", false},
          {"USR_PESOINFERIOR", "SMALLINT", false},
          {"USR_ALTPESOENT", "SMALLINT", false}},
         "USR_LOGIN"},
        {"CIDADE",
         {{"CID_CODIGO", "INTEGER NOT NULL"}, {"CID_DESCRICAO", "VARCHAR(100)"}, {"CID_UF", "VARCHAR(2)"}},
         "CID_CODIGO"},
        {"CADASTRAO",
         {{"CAD_CODIGO", "INTEGER NOT NULL"}, {"CAD_TIPO", "SMALLINT NOT NULL"},
          {"CAD_PESSOA", "SMALLINT"},         {"CAD_CPFCGC", "VARCHAR(18)"},
          {"CAD_INSRG", "VARCHAR(14)"},       {"CAD_RAZAO", "VARCHAR(150)"},
          {"CAD_FANTASIA", "VARCHAR(100)"},   {"CAD_ENDERECO", "VARCHAR(100)"},
          {"CAD_BAIRRO", "VARCHAR(100)"},     {"CAD_CEP", "VARCHAR(9)"},
          {"CAD_FONE", "VARCHAR(15)"},        {"CAD_FAX", "VARCHAR(15)"},
          {"CAD_CONTATO", "VARCHAR(100)"},    {"CAD_EMAIL", "VARCHAR(200)"},
          {"CAD_SITE", "VARCHAR(200)"},       {"CAD_DTCADASTRO", "DATE"},
          {"CID_CODIGO", "INTEGER"},          {"CAD_OBS", "TEXT"},
          {"CAD_INATIVO", "SMALLINT", false}, {"CAD_PLACA", "VARCHAR(7)", false},
          {"CAD_TARA", "{M}", false}},
         "CAD_CODIGO, CAD_TIPO",
         true,
         {"CONSTRAINT CADASTRAO_CIDADE_FK FOREIGN KEY (CID_CODIGO) REFERENCES CIDADE (CID_CODIGO)"}},
        {"CONVERSAO",
         {{"TAB_CODIGO", "INTEGER NOT NULL"},
          {"TAB_DESCRICAO", "VARCHAR(100)"},
          {"TAB_FORMULA1", "SMALLINT"},
          {"TAB_FINAL", "{N}"}},
         "TAB_CODIGO"},
        {"TABCONVERSAO",
         {{"TAB_CODIGO", "INTEGER NOT NULL"},
          {"TAC_INICIAL", "{N}"},
          {"TAC_FINAL", "{N}"},
          {"TAC_DESCONTO", "{N}"}},
         nullptr,
         true,
         {"CONSTRAINT TABCONVERSAO_CONVERSAO_FK FOREIGN KEY (TAB_CODIGO) REFERENCES CONVERSAO (TAB_CODIGO) "
          "ON DELETE CASCADE"}},
        {"PRODUTO",
         {{"PRD_CODIGO", "VARCHAR(13) NOT NULL"},
          {"PRD_DESCRICAO", "VARCHAR(100)"},
          {"PRD_FATOR1", "{N}"},
          {"PRD_FATOR2", "{N}"},
          {"PRD_FATOR3", "{N}"},
          {"PRD_FATOR4", "{N}"},
          {"PRD_FATOR5", "{N}"},
          {"PRD_FATOR6", "{N}"},
          {"TAB_CODIGO", "INTEGER"},
          {"PRD_DENSIDADE", "{M}", false},
          {"PRD_VLRTONELADA", "{M}", false},
          {"PRD_CODIGOINT", "BIGINT", false}},
         "PRD_CODIGO",
         true,
         {"CONSTRAINT PRODUTO_CONVERSAO_FK FOREIGN KEY (TAB_CODIGO) REFERENCES CONVERSAO (TAB_CODIGO)"}},
        {"TIPOVEICULO",
         {{"TPV_CODIGO", "SMALLINT NOT NULL"}, {"TPV_DESCRICAO", "VARCHAR(50)"}, {"TPV_VALOR", "{M}"}},
         "TPV_CODIGO",
         false},
        {"PESAGEM",
         {{"PES_CODIGO", "INTEGER NOT NULL"},
          {"PES_TIPO", "SMALLINT"},
          {"PES_TKENTRADA", "SMALLINT"},
          {"PES_TKSAIDA", "SMALLINT"},
          {"PES_DATAENTRADA", "DATE"},
          {"PES_HORAENTRADA", "{T}"},
          {"PES_PESOENTRADA", "{N}"},
          {"PES_DATASAIDA", "DATE"},
          {"PES_HORASAIDA", "{T}"},
          {"PES_PESOSAIDA", "{N}"},
          {"PES_TKTMANUALENTRADA", "SMALLINT"},
          {"PES_TKTMANUALSAIDA", "SMALLINT"},
          {"PES_PLACA", "VARCHAR(20)", true, "VARCHAR(8)"},
          {"PES_PLACACARRETA", "VARCHAR(7)"},
          {"PES_MOTORISTA", "VARCHAR(80)"},
          {"PES_NF", "VARCHAR(30)", true, "VARCHAR(10)"},
          {"PES_PESONOTA", "{N}"},
          {"PES_PESOEMBALAGEM", "{N}"},
          {"PES_MENSAGEM", "TEXT"},
          {"PES_MENSAGEMSAIDA", "TEXT"},
          {"CAD_CODIGO", "INTEGER"},
          {"CAD_TIPO", "SMALLINT"},
          {"CAD_CODIGOEMIS", "INTEGER"},
          {"CAD_TIPOEMIS", "SMALLINT"},
          {"CAD_CODIGOTRA", "INTEGER"},
          {"CAD_TIPOTRA", "SMALLINT"},
          {"PES_RGMOTORISTA", "VARCHAR(15)", false},
          {"PES_FRETE", "{M}", false},
          {"PES_KM", "{M}", false},
          {"TPV_CODIGO", "SMALLINT", false},
          {"PES_VALOR", "{M}", false},
          {"PES_PERCDESC", "{M}", false},
          {"PES_OBS", "VARCHAR(80)", false},
          {"PES_OBSSAIDA", "VARCHAR(80)", false},
          {"PES_TARAPESAGEM", "{M}", false}},
         "PES_CODIGO",
         true,
         {"CONSTRAINT PESAGEM_TIPOVEICULO_FK FOREIGN KEY (TPV_CODIGO) REFERENCES TIPOVEICULO (TPV_CODIGO)"}},
        {"PESAGEMPRODUTO",
         {{"PES_CODIGO", "INTEGER NOT NULL"},
          {"PRD_CODIGO", "VARCHAR(13)"},
          {"PES_FATOR1", "{N}"},
          {"PES_FATOR2", "{N}"},
          {"PES_FATOR3", "{N}"},
          {"PES_FATOR4", "{N}"},
          {"PES_FATOR5", "{N}"},
          {"PES_FATOR6", "{N}"},
          {"PES_FATOR7E", "{N}"},
          {"PES_FATOR8E", "{N}"},
          {"PES_FATOR9E", "{N}"},
          {"PES_FATOR10E", "{N}"},
          {"PES_FATOR7", "{N}"},
          {"PES_FATOR8", "{N}"},
          {"PES_FATOR9", "{N}"},
          {"PES_FATOR10", "{N}"},
          {"PES_FATOR11U", "{N}"},
          {"PES_FATOR11", "{N}"}},
         nullptr,
         true,
         {"CONSTRAINT PESAGEMPRODUTO_PESAGEM_FK FOREIGN KEY (PES_CODIGO) REFERENCES PESAGEM (PES_CODIGO) "
          "ON DELETE CASCADE",
          "CONSTRAINT PESAGEMPRODUTO_PRODUTO_FK FOREIGN KEY (PRD_CODIGO) REFERENCES PRODUTO (PRD_CODIGO)"}},
        {"UMIDADE",
         {{"PRD_CODIGO", "VARCHAR(13) NOT NULL"},
          {"UMI_UMIDADE", "{N} NOT NULL"},
          {"UMI_TIPO", "SMALLINT NOT NULL"}},
         "PRD_CODIGO, UMI_UMIDADE, UMI_TIPO",
         true,
         {"CONSTRAINT UMIDADE_PRODUTO_FK FOREIGN KEY (PRD_CODIGO) REFERENCES PRODUTO (PRD_CODIGO)"}},
        {"EMBALAGEM",
         {{"EMB_CODIGO", "INTEGER NOT NULL"}, {"EMB_DESCRICAO", "VARCHAR(100)"}, {"EMB_ATIVA", "SMALLINT"}},
         "EMB_CODIGO",
         false},
        {"PRODUTO_EMBALAGEM",
         {{"EMB_CODIGO", "INTEGER NOT NULL"}, {"PRD_CODIGO", "VARCHAR(13) NOT NULL"}, {"PRE_PESO", "{M}"}},
         "EMB_CODIGO, PRD_CODIGO",
         false,
         {"CONSTRAINT PRODUTO_EMBALAGEM_EMB_FK FOREIGN KEY (EMB_CODIGO) REFERENCES EMBALAGEM (EMB_CODIGO)",
          "CONSTRAINT PRODUTO_EMBALAGEM_PRD_FK FOREIGN KEY (PRD_CODIGO) REFERENCES PRODUTO (PRD_CODIGO)"}},
        {"LINHASTEMPL",
         {{"TEM_CODIGO", "SMALLINT NOT NULL"}, {"LIN_CODIGO", "SMALLINT NOT NULL"}, {"LIN_TEXTO", "TEXT"}},
         "TEM_CODIGO, LIN_CODIGO",
         false},
        {"LOGATUALIZA", {{"LOG_ARQUIVO", "VARCHAR(20) NOT NULL"}}, "LOG_ARQUIVO", false},
    };
    return t;
}

const char* const indices[] = {
    "CREATE INDEX PESAGEM_PLACA_IDX ON PESAGEM (PES_PLACA)",
    "CREATE INDEX PESAGEM_ABERTA_IDX ON PESAGEM (PES_DATASAIDA)",
    "CREATE INDEX PESAGEM_ENTRADA_IDX ON PESAGEM (PES_DATAENTRADA, PES_HORAENTRADA)",
    "CREATE INDEX PESAGEM_CLIENTE_IDX ON PESAGEM (CAD_CODIGO, CAD_TIPO)",
    "CREATE INDEX PESAGEM_TRANSP_IDX ON PESAGEM (CAD_CODIGOTRA, CAD_TIPOTRA)",
    "CREATE INDEX CADASTRAO_RAZAO_IDX ON CADASTRAO (CAD_TIPO, CAD_RAZAO)",
    "CREATE INDEX CADASTRAO_CPFCGC_IDX ON CADASTRAO (CAD_CPFCGC)",
    "CREATE INDEX CADASTRAO_INSRG_IDX ON CADASTRAO (CAD_INSRG)",
    "CREATE INDEX CADASTRAO_PLACA_IDX ON CADASTRAO (CAD_TIPO, CAD_PLACA)",
    "CREATE INDEX PESAGEMPRODUTO_PES_IDX ON PESAGEMPRODUTO (PES_CODIGO)",
    "CREATE INDEX PESAGEMPRODUTO_PRD_IDX ON PESAGEMPRODUTO (PRD_CODIGO)",
    // The reports: a party kind's weighings of a period, a product's weighings.
    "CREATE INDEX PESAGEM_TIPO_ENTRADA_IDX ON PESAGEM (CAD_TIPO, PES_DATAENTRADA)",
    "CREATE INDEX PESAGEMPRODUTO_PRD_PES_IDX ON PESAGEMPRODUTO (PRD_CODIGO, PES_CODIGO)",
    "CREATE INDEX TABCONVERSAO_TAB_IDX ON TABCONVERSAO (TAB_CODIGO, TAC_INICIAL)",
};

QString criaTabela(const Tabela& t, bool postgres, bool completo)
{
    QStringList partes;
    for (const Coluna& c : t.colunas) {
        if (!completo && !c.base) {
            continue;
        }
        const char* tipo = (!completo && c.tipoAntigo) ? c.tipoAntigo : c.tipo;
        partes << QStringLiteral("%1 %2").arg(QLatin1String(c.nome), QLatin1String(tipo));
    }
    if (t.chave) {
        partes << QStringLiteral("CONSTRAINT %1_PK PRIMARY KEY (%2)")
                      .arg(QLatin1String(t.nome), QLatin1String(t.chave));
    }
    if (completo) {
        for (const char* e : t.extras) {
            partes << QLatin1String(e);
        }
    }
    return Dialeto::tipos(
        QStringLiteral("CREATE TABLE %1 (%2)").arg(QLatin1String(t.nome), partes.join(QStringLiteral(", "))),
        postgres);
}

void executa(TDM& dm, const QString& sql)
{
    dm.QR_EXEC.Clear();
    dm.QR_EXEC.Add(sql);
    dm.QR_EXEC.ExecSQL();
}

} // namespace

bool Esquema::existe(TDM& dm)
{
    try {
        dm.QR_EXEC.Clear();
        dm.QR_EXEC.Add(QStringLiteral("select count(*) from config"));
        dm.QR_EXEC.Open();
        dm.QR_EXEC.Close();
        return true;
    } catch (const ErroBanco&) {
        if (dm.ehPostgres() && dm.InTransaction()) {
            dm.RollbackTrans();
        }
        return false;
    }
}

QStringList Esquema::comandosCriacao(bool postgres)
{
    QStringList c;
    for (const Tabela& t : tabelas()) {
        c << criaTabela(t, postgres, true);
    }
    for (const char* i : indices) {
        c << QLatin1String(i);
    }
    c << TabelasEvidencia::comandos(postgres);
    c << TabelasPortaria::comandos(postgres);
    return c;
}

void Esquema::criarBanco(TDM& dm)
{
    Transacao tr(&dm);
    for (const QString& sql : comandosCriacao(dm.ehPostgres())) {
        executa(dm, sql);
    }
    // the configuration row with its defaults
    executa(
        dm,
        QStringLiteral(
            "INSERT INTO CONFIG (CFG_CHAVE, CFG_PORTA, CFG_PORTASAIDA, CFG_BAUD, CFG_BITS, CFG_PARIDADE, "
            "CFG_STOP, CFG_FLHARD, CFG_FLSOFT, CFG_MODELOPLACA, CFG_DIVISAO, CFG_INTERFACE, "
            "CFG_CASASDECIMAIS, CFG_CASASUMIDADE, CFG_IMPRESSORA, CFG_PORTAREDE, CFG_IMPRESSAOFORWINDOWS, "
            "CFG_LINESPACE, CFG_FONTEPADRAO, CFG_FONTETAMANHO, CFG_LINHASTICKET, CFG_TICKETSINTETICO, "
            "CFG_TICKET40, CFG_IMPTRANSP, CFG_SUPERVISOR, CFG_ITEMDESC, CFG_TEMPLATE, CFG_TEMPLATEENTRADA, "
            "CFG_TEMPLATESAIDA, CFG_CABECA, CFG_MORPRODUTO, CFG_GRADE, CFG_UMIDADE, CFG_UMIDADEE, "
            "CFG_UMIDADEUNICA, CFG_FATOR1, CFG_FATOR2, CFG_FATOR3, CFG_FATOR4, CFG_FATOR5, CFG_FATOR6, "
            "CFG_FATOR7, CFG_FATOR8, CFG_FATOR9, CFG_FATOR10, CFG_ALTERADATAHORA, CFG_EXIBEPESAGENS, "
            "CFG_SOMENTEPRODUTO, CFG_PRODUTOOPCIONAL, CFG_EDITARSAIDA, CFG_ALTERACODIGO, CFG_NAVIO, "
            "CFG_TARAPESAGEM, CFG_PESAGEMVAGAO, CFG_CADEMBALAGEM, CFG_PESOEMBALAGEM, CFG_CADMOTORISTA, "
            "CFG_FRETE, CFG_PRDALFA, CFG_SOMENTESAIDA, CFG_METROSCUBICOS, CFG_VLRTONELADA, CFG_SELECIONABAL, "
            "CFG_TIPOVEICULO, CFG_PESAGEMOBS, CFG_TARAFIXA) VALUES ("
            "1, 0, 0, 4, 3, 2, 0, 0, 0, 0, 3, 0, 2, 2, 4, 'lpt1', 0, 30, 'Courier New', 8, 66, 0, NULL, 1, "
            "0, "
            "'Itens.........:', 0, NULL, NULL, 0, 0, 0, 0, 0, 0, '', '', '', '', '', '', '', '', '', '', 1, "
            "NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL)"));
    executa(dm, QStringLiteral("INSERT INTO CONFIGTICKET (CFG_SHOWCODIGO, CFG_SHOWMOTORISTA, CFG_SHOWNF, "
                               "CFG_SHOWPLACA, CFG_SHOWPLACACARRETA) VALUES (1, 1, 1, 1, 1)"));
    executa(dm, QStringLiteral(
                    "INSERT INTO USUARIOS (USR_LOGIN, USR_NOME, USR_SENHA, USR_CADASTROS, USR_RELATORIOS, "
                    "USR_ALTPESO, USR_ALTPESOENT, USR_PESAGEM, USR_PESAGEMSAIDA, USR_EDITAPESAGEM, "
                    "USR_PESOINFERIOR) VALUES ('ADMIN', 'ADMINISTRADOR', 'ADMIN', 1, 1, 1, 1, 1, 1, 1, 1)"));
    executa(dm, TabelasPortaria::linhaNova());
    for (const PassoAtualizacao& p : PassosAtualizacao::passos()) {
        dm.QR_EXEC.Clear();
        dm.QR_EXEC.Add(QStringLiteral("INSERT INTO LOGATUALIZA (LOG_ARQUIVO) VALUES (:tag)"));
        dm.QR_EXEC.setParam(QStringLiteral("tag"), p.tag);
        dm.QR_EXEC.ExecSQL();
    }
    // The audit log of a new database is keyed from its first entry.
    TabelasEvidencia::garante(dm);
    tr.commit();
    estatisticas(dm);
}

int Esquema::criaIndicesQueFaltam(TDM& dm)
{
    int criados = 0;
    for (const char* i : indices) {
        const QString sql = QLatin1String(i);
        const QString nome = sql.section(u' ', 2, 2);
        TQuery& q = dm.QR_EXEC;
        q.Clear();
        q.Add(dm.ehPostgres() ? QStringLiteral("select 1 from pg_indexes where upper(indexname)=:nome")
                              : QStringLiteral("select 1 from sqlite_master where type='index' and "
                                               "upper(name)=:nome"));
        q.setParam(QStringLiteral("nome"), nome.toUpper());
        q.Open();
        const bool existe = !q.IsEmpty();
        q.Close();
        if (existe) continue;
        executa(dm, sql);
        ++criados;
    }
    return criados;
}

void Esquema::estatisticas(TDM& dm)
{
    // PostgreSQL gathers its own (autovacuum); SQLite only when asked.
    if (!dm.ehPostgres()) executa(dm, QStringLiteral("ANALYZE"));
}

void Esquema::criarBancoAntigo(TDM& dm)
{
    Transacao tr(&dm);
    for (const Tabela& t : tabelas()) {
        if (t.base) {
            executa(dm, criaTabela(t, dm.ehPostgres(), false));
        }
    }
    executa(dm, QStringLiteral(
                    "INSERT INTO CONFIG (CFG_CHAVE, CFG_PORTA, CFG_BAUD, CFG_BITS, CFG_PARIDADE, CFG_STOP, "
                    "CFG_FLHARD, CFG_FLSOFT, CFG_MODELOPLACA, CFG_CASASDECIMAIS, CFG_DIVISAO, "
                    "CFG_IMPRESSORA, CFG_PORTAREDE, CFG_IMPRESSAOFORWINDOWS, CFG_TICKETSINTETICO, "
                    "CFG_MORPRODUTO, CFG_LINESPACE, CFG_UMIDADE, CFG_UMIDADEE) VALUES "
                    "(1, 0, 4, 3, 2, 0, 0, 0, 0, 2, 3, 4, 'lpt1', 0, 0, 0, 30, 0, 0)"));
    executa(dm, QStringLiteral("INSERT INTO CONFIGTICKET (CFG_SHOWCODIGO, CFG_SHOWMOTORISTA, CFG_SHOWNF, "
                               "CFG_SHOWPLACA, CFG_SHOWPLACACARRETA) VALUES (1, 1, 1, 1, 1)"));
    executa(dm, QStringLiteral(
                    "INSERT INTO USUARIOS (USR_LOGIN, USR_NOME, USR_SENHA, USR_CADASTROS, USR_RELATORIOS, "
                    "USR_ALTPESO, USR_PESAGEM, USR_PESAGEMSAIDA) VALUES "
                    "('ADMIN', 'ADMINISTRADOR', 'ADMIN', 1, 1, 1, 1, 1)"));
    tr.commit();
}

namespace
{
// A database of an older layout may lack columns these indexes need until
// its upgrade runs, which creates them then: a failure here is not fatal.
void indicesQueFaltam(TDM& dm)
{
    try {
        Transacao tr(&dm);
        const int criados = Esquema::criaIndicesQueFaltam(dm);
        tr.commit();
        if (criados > 0) Esquema::estatisticas(dm);
    } catch (const ErroBanco& e) {
        if (dm.InTransaction()) dm.RollbackTrans();
        qWarning().noquote() << "Índices não criados:" << e.texto();
    }
}
} // namespace

bool Esquema::abreBanco(TDM& dm, QString* erro)
{
    const QString arquivo = dm.ehPostgres() ? QString() : dm.conexao().caminhoArquivo();
    const bool novo = !arquivo.isEmpty() && !QFile::exists(arquivo);
    if (!dm.Conectar(erro)) {
        return false;
    }
    try {
        if (novo || !existe(dm)) {
            criarBanco(dm);
        } else {
            indicesQueFaltam(dm);
        }
    } catch (const ErroBanco& e) {
        if (erro) {
            *erro = e.texto();
        }
        dm.Desconectar();
        if (novo) {
            QFile::remove(arquivo);
        }
        return false;
    }
    return true;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BancoTeste.h"
#include "Relogio.h"
#include "ServicosTeste.h"
#include "SessaoAtual.h"

#include <QStringList>

// What each report test starts from: the clock stopped at 8 Dec 2026
// 14:05:30, a fresh session of ADMIN issuing for the data set's company, and
// test services that keep the preview pages. Undone by encerraRelatorios.
inline ServicosTeste* iniciaRelatorios()
{
    Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 30)));
    SessaoAtual = TSessao{};
    SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
    SessaoAtual.NomeEmissor = QStringLiteral("CEREALISTA BOA SAFRA LTDA");
    return new ServicosTeste;
}

inline void encerraRelatorios(ServicosTeste*& servicos)
{
    delete servicos;
    servicos = nullptr;
    Relogio::fixar(QDateTime());
}

// The reports' small fixed data set: an issuer, two clients, two suppliers, a
// carrier, three products (one with fixed factors, one with a value per tonne),
// two vehicle types and weighings over four days of November 2026: with and
// without entry and exit factors, freight, vehicle values, packaging, one still
// open and one with two products.
inline void dadosRelatorios(BancoTeste& b)
{
    b.exec(QStringLiteral(
        "insert into cidade (cid_codigo, cid_descricao, cid_uf) values (1, 'CASCAVEL', 'PR')"));
    b.exec(QStringLiteral(
        "insert into cidade (cid_codigo, cid_descricao, cid_uf) values (2, 'DOURADOS', 'MS')"));
    const char* partes[] = {
        "1, 1, 'CEREALISTA BOA SAFRA LTDA', 1, '(45)3222-1000', 'ANA'",
        "10, 3, 'ARMAZEM CENTRAL LTDA', 1, '(45)3222-1010', 'PAULO'",
        "11, 3, 'MOINHO SUL SA', 2, '(67)3411-2000', 'RITA'",
        "20, 4, 'JOAO DA SILVA', 1, '(45)9911-0000', NULL",
        "21, 4, 'SITIO BOA VISTA', NULL, NULL, 'MARCOS'",
        "30, 2, 'TRANSPORTES RAPIDO LTDA', 2, '(67)3411-3000', 'LUIS'",
    };
    for (const char* p : partes)
        b.exec(QStringLiteral("insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo, cad_fone, "
                              "cad_contato) values (%1)")
                   .arg(QLatin1String(p)));
    b.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao, prd_fator1, prd_fator2) values "
                          "('1', 'SOJA EM GRAOS', 1.5, 0.5)"));
    b.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao) values ('2', 'MILHO')"));
    b.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao, prd_vlrtonelada) values "
                          "('3', 'TRIGO', 80)"));
    b.exec(QStringLiteral("insert into umidade (prd_codigo, umi_tipo, umi_umidade) values ('1', 7, '14')"));
    b.exec(QStringLiteral(
        "insert into tipoveiculo (tpv_codigo, tpv_descricao, tpv_valor) values (1, 'TRUCK', 25)"));
    b.exec(QStringLiteral(
        "insert into tipoveiculo (tpv_codigo, tpv_descricao, tpv_valor) values (2, 'CARRETA', 40.5)"));
    // code, party, kind, carrier and its kind, entry date, time, weight, exit date, time, weight, plate,
    // trailer, packaging, freight, km, value, vehicle type
    const char* pesagens[] = {
        "101, 20, 4, 30, 2, '2026-11-02', '07:10:00', 32000, '2026-11-02', '07:40:00', 12000, 'ABC1234', "
        "'CAR0001', 0, "
        "0.05, 120, 25, 1",
        "102, 10, 3, NULL, NULL, '2026-11-02', '08:00:00', 14000, '2026-11-02', '08:35:00', 41000, "
        "'DEF5678', NULL, 150, "
        "0, 0, 40.5, 2",
        "103, 21, 4, 30, 2, '2026-11-03', '09:00:00', 28500, '2026-11-03', '09:20:00', 11500, 'GHI9012', "
        "NULL, 0, "
        "0.04, 80, 25, 1",
        "104, 20, 4, NULL, NULL, '2026-11-03', '10:00:00', 30000, '2026-11-03', '10:30:00', 12500, "
        "'ABC1234', 'CAR0001', "
        "0, 0, 0, 25, 1",
        "105, 11, 3, 30, 2, '2026-11-05', '11:00:00', 13000, '2026-11-05', '11:45:00', 38000, 'JKL3456', "
        "'CAR0002', "
        "200, 0.03, 300, 40.5, 2",
        "106, 10, 3, NULL, NULL, '2026-11-05', '13:00:00', 15000, NULL, NULL, NULL, 'MNO7890', NULL, NULL, "
        "NULL, NULL, "
        "NULL, NULL",
        "107, 21, 4, NULL, NULL, '2026-11-06', '14:00:00', 26000, '2026-11-06', '14:25:00', 11000, "
        "'PQR1111', NULL, 0, "
        "0, 0, 25, 1",
        "108, 10, 3, NULL, NULL, '2026-11-06', '15:00:00', 14500, '2026-11-06', '15:50:00', 40500, "
        "'DEF5678', NULL, 0, "
        "0, 0, 40.5, 2",
    };
    for (const char* p : pesagens)
        b.exec(QStringLiteral(
                   "insert into pesagem (pes_codigo, cad_codigo, cad_tipo, cad_codigotra, cad_tipotra, "
                   "pes_dataentrada, pes_horaentrada, pes_pesoentrada, pes_datasaida, pes_horasaida, "
                   "pes_pesosaida, pes_placa, pes_placacarreta, pes_pesoembalagem, pes_frete, pes_km, "
                   "pes_valor, tpv_codigo) values (%1)")
                   .arg(QLatin1String(p)));
    // weighing, product, f1, f2, f7e, f8e, f7, f8, f11
    const char* produtos[] = {
        "101, '1', 1.5, 0.5, 2, 0, 1, 0, 2.5", "102, '1', 1.5, 0.5, 0, 0, 0, 0, 0",
        "103, '2', 0, 0, 0, 0, 0, 0, 0",       "104, '1', 1.5, 0.5, 1, 0.5, 0, 0, 3",
        "105, '3', 0, 0, 0, 0, 0, 0, 0",       "106, '2', 0, 0, 0, 0, 0, 0, 0",
        "107, '2', 0, 0, 0, 0, 0, 0, 1",       "108, '3', 0, 0, 0, 0, 0, 0, 0",
    };
    for (const char* p : produtos)
        b.exec(QStringLiteral("insert into pesagemproduto (pes_codigo, prd_codigo, pes_fator1, pes_fator2, "
                              "pes_fator7e, pes_fator8e, pes_fator7, pes_fator8, pes_fator11) values (%1)")
                   .arg(QLatin1String(p)));
}

// The preview pages as one text: lines joined by line feeds, a form feed
// between pages; the program's version replaced (it changes with each build).
inline QByteArray paginasComoTexto(const ServicosTeste& s, const QString& versao)
{
    QStringList paginas;
    for (const QStringList& p : s.paginasExibidas)
        paginas << p.join(u'\n');
    QString t = paginas.join(QStringLiteral("\n\f\n")) + u'\n';
    t.replace(versao, QString(versao.size(), u'#'));
    return t.toUtf8();
}

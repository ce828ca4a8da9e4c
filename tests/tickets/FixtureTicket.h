// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../weighing/FixturePesagem.h"

// Weighings for the tickets, over the weighing tests' registries.
namespace FixtureTicket
{

// Weighing 1: client 1 with carrier 3, product 10 with factors at entry and
// exit. Weighing 2: supplier 2, product 20, no factors, packaging 350 kg.
// Weighing 3: client 1, products 30, 10 and 20.
inline void pesagens(BancoTeste& b)
{
    FixturePesagem::cadastros(b);
    b.exec(QStringLiteral("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (1, 1, "
                          "'BALANÇA MODELO COMÉRCIO LTDA')"));
    b.exec(QStringLiteral("update produto set prd_densidade=0.0013 where prd_codigo='10'"));
    b.exec(QStringLiteral(
        "insert into pesagem (pes_codigo, pes_tipo, pes_tkentrada, pes_tksaida, pes_dataentrada, "
        "pes_horaentrada, pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida, "
        "pes_tktmanualentrada, "
        "pes_tktmanualsaida, pes_placa, pes_placacarreta, pes_motorista, pes_nf, pes_pesonota, "
        "pes_pesoembalagem, cad_codigo, cad_tipo, cad_codigotra, cad_tipotra, pes_obs, pes_obssaida) values "
        "(1, 1, 0, 0, '2026-12-08', '07:15:02', 15000, '2026-12-08', '09:40:00', 42350, 1, 0, 'ABC1D23', "
        "'XYZ9876', 'JOSÉ DA SILVA PEREIRA DOS SANTOS DE OLIVEIRA E ALBUQUERQUE NETO', '123456', 27000, 0, "
        "1, 3, 3, 2, 'CARGA A GRANEL', 'LONA OK')"));
    b.exec(QStringLiteral(
        "insert into pesagemproduto (pes_codigo, prd_codigo, pes_fator1, pes_fator2, pes_fator3, pes_fator4, "
        "pes_fator5, pes_fator6, pes_fator7e, pes_fator8e, pes_fator9e, pes_fator10e, pes_fator7, "
        "pes_fator8, "
        "pes_fator9, pes_fator10, pes_fator11, pes_fator11u) values "
        "(1, '10', 1, 0.5, 0, 0, 0, 0.25, 2, 0, 0, 0.5, 2, 0, 0, 0, 1.5, 13)"));
    b.exec(QStringLiteral(
        "insert into pesagem (pes_codigo, pes_tipo, pes_tkentrada, pes_tksaida, pes_dataentrada, "
        "pes_horaentrada, pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida, "
        "pes_tktmanualentrada, "
        "pes_tktmanualsaida, pes_placa, pes_placacarreta, pes_motorista, pes_nf, pes_pesonota, "
        "pes_pesoembalagem, cad_codigo, cad_tipo, pes_obs, pes_obssaida) values "
        "(2, 1, 1, 0, '2026-12-09', '13:05:59', 38000.5, '2026-12-09', '14:00:10', 14000, 0, 1, 'FOR0A11', "
        "NULL, 'ANTÔNIO', NULL, 24100.25, 350, 2, 4, NULL, 'SEM AVARIAS')"));
    b.exec(
        QStringLiteral("insert into pesagemproduto (pes_codigo, prd_codigo, pes_fator1, pes_fator7e) values "
                       "(2, '20', 0, 0)"));
    b.exec(QStringLiteral(
        "insert into pesagem (pes_codigo, pes_tipo, pes_tkentrada, pes_dataentrada, pes_horaentrada, "
        "pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida, pes_tktmanualentrada, "
        "pes_tktmanualsaida, pes_placa, pes_motorista, pes_nf, pes_pesonota, cad_codigo, cad_tipo) values "
        "(3, 1, 0, '2026-12-10', '06:00:00', 12000, '2026-12-10', '06:45:30', 30000, 1, 1, 'TRE3E33', "
        "'MARIA', '9', 0, 1, 3)"));
    for (const char* p : {"30', 0, 1.5", "10', 1, 2", "20', 0, 1"}) {
        b.exec(QStringLiteral("insert into pesagemproduto (pes_codigo, prd_codigo, pes_fator1, pes_fator7e) "
                              "values (3, '%1)")
                   .arg(QLatin1String(p)));
    }
    b.exec(
        QStringLiteral("update config set cfg_casasdecimais=0, cfg_ticket40=0, cfg_ticketsintetico=0, "
                       "cfg_morproduto=0, cfg_umidade=0, cfg_umidadeunica=0, cfg_imptransp=1, cfg_navio=0, "
                       "cfg_pesoembalagem=0, cfg_metroscubicos=0, cfg_pesagemobs=0, cfg_supervisor=0, "
                       "cfg_itemdesc='Itens.........:', cfg_fator1='IMPUREZA', cfg_fator2='AVARIADOS', "
                       "cfg_fator3='QUEBRADOS', cfg_fator4='ARDIDOS', cfg_fator5='VERDES', "
                       "cfg_fator6='MOFADOS', cfg_fator7='CARUNCHO', cfg_fator8='PICADOS', "
                       "cfg_fator9='CHOCHOS', cfg_fator10='TEMPERAT'"));
}

} // namespace FixtureTicket

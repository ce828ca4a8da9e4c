// SPDX-License-Identifier: GPL-3.0-or-later
// 1,000 tickets of a 40-line template (fields, conditions, numbers, dates,
// amounts in words, printer tags) expanded against one weighing's row and
// written into one print job delivered to a file: the job's bytes per second.
// Run from a build: bench/tickets/bench_tickets
#include "RVDataSet.h"
#include "TPrnTemplate.h"
#include "TRelevo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

RVDataSetMemoria registro()
{
    RVDataSetMemoria d({"pes_codigo", "pes_placa", "pes_placacarreta", "cad_tipo", "cad_razao", "pes_nf",
                        "pes_pesoentrada", "pes_pesosaida", "pesoLiquido", "Pes_VALOR", "pes_dataentrada",
                        "pes_horaentrada", "pes_motorista", "prd_descricao", "CAD_EMAIL", "Usuario"});
    d.append({"123456", "ABC1D23", "XYZ9876", "3", "COOPERATIVA AGRÍCOLA REGIONAL LTDA", "", "15000", "42350",
              "27350", "1234,56", "08/03/2026", "07:15:02", "JOSÉ DA SILVA", "SOJA EM GRÃO", "X@Y.COM",
              "OPERADOR"});
    return d;
}

QStringList modelo()
{
    const QStringList base{
        "<!TICKET DE PESAGEM Nr [pes_codigo]!>      Pagina [PAGINA] de [PAGINAS]",
        "[cad_tipo=4,FORNECEDOR,CLIENTE].....: [cad_razao:1,40]",
        "Placa: [pes_placa]  Carreta: [pes_placacarreta]  NF: [pes_nf=<NULL>,SEM NOTA,pes_nf]",
        "Entrada: [pes_pesoentrada:N10;0] kg  Saida: [pes_pesosaida:N10;0] kg  Liquido: [pesoLiquido:F12;2]",
        "Data: [pes_dataentrada:DIA] de [pes_dataentrada:MES_EXTENSO] de [pes_dataentrada:ANO] "
        "[pes_horaentrada]",
        "Valor: [Pes_VALOR:C14]  [Pes_VALOR,1,40,40]",
        "       [Pes_VALOR,2,40,40]",
        "<#Motorista: [pes_motorista] Produto: [prd_descricao] [CAD_EMAIL] [Usuario]#>",
    };
    QStringList l;
    for (int i = 0; i < 5; ++i)
        l << base;
    return l;
}

void Template_1000tickets(benchmark::State& state)
{
    QTemporaryDir pasta;
    qputenv("VIGA_HOME", pasta.path().toUtf8());
    const QStringList linhas = modelo();
    RVDataSetMemoria dados = registro();
    const QString arquivo = pasta.filePath(QStringLiteral("tickets.prn"));
    qint64 bytes = 0;
    for (auto _ : state) {
        TRelevo job;
        job.PageHeader = false;
        job.SaveFile = true;
        job.SaveFileDir = arquivo;
        job.PrinterPort = QStringLiteral("lpt1");
        job.QtLines = 66;
        TPrnTemplate t;
        t.Relevo = &job;
        t.DataSet = &dados;
        t.Copias = 1000;
        t.Imprimir(linhas);
        bytes = QFileInfo(arquivo).size();
        QFile::remove(arquivo);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["tickets/s"] =
        benchmark::Counter(1000.0 * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(Template_1000tickets)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

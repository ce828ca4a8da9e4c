// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry over the ".ctp" import: the input is a template file as read
// from disk (UTF-8 or Windows-1252, any line ends); its lines are cleaned as
// the editor stores them, checked for what cannot be stored, and expanded
// against a fixed weighing row. A line may stop the print (ErroTemplate);
// nothing else may fail.
#include "EdicaoTemplate.h"
#include "RVDataSet.h"
#include "TPrnTemplate.h"
#include "TRelevo.h"

#include <cstdint>
#include <cstdlib>

namespace
{
RVDataSetMemoria& registro()
{
    static RVDataSetMemoria d = [] {
        RVDataSetMemoria r({"pes_codigo", "pes_placa", "cad_tipo", "pes_pesoentrada", "Pes_VALOR",
                            "pes_dataentrada", "cad_razao"});
        r.append({"17", "ABC1D23", "4", "15000", "1234,56", "08/03/2026", "CLIENTE"});
        return r;
    }();
    return d;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const QString texto =
        EdicaoTemplate::textoCtp(QByteArray(reinterpret_cast<const char*>(dados), qsizetype(tamanho)));
    const QStringList linhas = texto.isEmpty() ? QStringList() : texto.split(u'\n');
    const QString problema = EdicaoTemplate::problema(linhas);
    if (texto.contains(QChar(u'\0')) && problema.isEmpty()) std::abort();
    TRelevo job;
    TPrnTemplate t;
    t.Relevo = &job;
    int expandidas = 0;
    for (const QString& l : linhas) {
        if (++expandidas > 64) break;
        try {
            (void)t.ExpandirLinha(EdicaoTemplate::limpaLinha(l), registro());
        } catch (const ErroTemplate&) {
        }
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry over template line expansion: the input, as UTF-8, is one
// template line expanded against a fixed weighing row, for a printed and for
// a previewed job. A line may stop the print (ErroTemplate); anything else
// must come back as text.
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
        RVDataSetMemoria r({"pes_codigo", "pes_placa", "cad_tipo", "pes_nf", "pes_pesoentrada", "Pes_VALOR",
                            "pes_dataentrada", "CAD_EMAIL", "SIT_CODIGO", "cad_razao"});
        r.append({"17", "ABC1D23", "4", "", "15000", "1234,56", "08/03/2026", "A@B.COM", "7", "  CLIENTE  "});
        return r;
    }();
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const QString linha = QString::fromUtf8(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    for (const bool preview : {false, true}) {
        TRelevo job;
        job.Preview.ShowPreview = preview;
        TPrnTemplate t;
        t.Relevo = &job;
        try {
            const QString r = t.ExpandirLinha(linha, registro());
            if (r.isNull() && !linha.isEmpty() && !linha.contains(u'[') && !linha.contains(u'<'))
                std::abort();
        } catch (const ErroTemplate&) {
        }
    }
    return 0;
}

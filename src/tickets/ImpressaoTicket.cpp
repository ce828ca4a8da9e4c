#include "ImpressaoTicket.h"

#include "ConsultaTicket.h"
#include "DadosTicket.h"
#include "LayoutTicket.h"
#include "LeConfig.h"
#include "RVDataSet.h"
#include "TDM.h"
#include "TPrnTemplate.h"
#include "TRVBand.h"
#include "TRVColumn.h"
#include "TRVReport.h"
#include "TRelevo.h"

namespace ImpressaoTicket
{

bool imprime(TDM& dm, TRelevo& job, const Pedido& pedido)
{
    const auto pesagem = ConsultaTicket::pesagem(dm, pedido.codigo);
    if (!pesagem) {
        return false;
    }
    LayoutTicket::Estado estado;
    estado.saida = pedido.saida;
    estado.emitente = ConsultaTicket::emitente(dm);
    estado.versao = pedido.versao;
    estado.pesagem = *pesagem;
    const ConfigLayout cfg = ConfigLayout::ler(dm);

    TQuery& q = dm.QR_TEMP;
    ConsultaTicket::abrir(q, *pesagem, pedido.usuario);
    LeConfig config(dm);
    if (config.inteiro(QStringLiteral("CFG_TEMPLATE")) == 1) {
        DadosTicket dados(q);
        TPrnTemplate t;
        t.Template = short(config.inteiro(pedido.saida ? QStringLiteral("CFG_TEMPLATESAIDA")
                                                       : QStringLiteral("CFG_TEMPLATEENTRADA")));
        t.Relevo = &job;
        t.DataSet = &dados;
        t.Copias = qMax(1, pedido.copias);
        t.Imprime = 1;
        try {
            t.Imprimir(dm);
        } catch (...) {
            q.Close();
            throw;
        }
        q.Close();
        return true;
    }
    RVDataSetQuery dados(q);
    TRVReport relatorio;
    TRVBand banda;
    relatorio.Relevo = &job;
    relatorio.DataSet = &dados;
    relatorio.ShowProgress = false;
    relatorio.Copias = qMax(1, pedido.copias);
    relatorio.SetDetailBand(0, &banda);
    banda.OnBeforePrint = [&](TRVBand*, QStringList&) {
        // The switches are read afresh for every ticket.
        const CamposTicket campos = CamposTicket::ler(dm);
        LayoutTicket(job, q, cfg, campos, estado).escreve();
    };
    relatorio.Print();
    q.Close();
    return true;
}

} // namespace ImpressaoTicket

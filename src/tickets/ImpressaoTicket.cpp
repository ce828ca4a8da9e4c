#include "ImpressaoTicket.h"

#include "ConsultaTicket.h"
#include "LayoutTicket.h"
#include "RVDataSet.h"
#include "TDM.h"
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

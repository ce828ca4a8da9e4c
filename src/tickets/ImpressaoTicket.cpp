// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImpressaoTicket.h"

#include "Auditoria.h"
#include "ConsultaTicket.h"
#include "DadosTicket.h"
#include "Evidencia.h"
#include "LayoutTicket.h"
#include "LeConfig.h"
#include "PastaDados.h"
#include "RVDataSet.h"
#include "TDM.h"
#include "TPrnTemplate.h"
#include "TRVBand.h"
#include "TRVColumn.h"
#include "TRVReport.h"
#include "TRelevo.h"

namespace ImpressaoTicket
{

namespace
{

// The snapshots the preview shows beside the ticket: the entry's, and on an
// exit ticket the exit's too.
QList<FotoPreview> fotosDoTicket(qint64 numero, bool saida)
{
    QList<FotoPreview> fotos;
    for (int lado = 1; lado <= (saida ? 2 : 1); ++lado) {
        for (const Evidencia::FotoGravada& f :
             Evidencia::fotosGravadas(PastaDados::caminho(), numero, lado)) {
            fotos.append({(lado == 1 ? QStringLiteral("Entrada - ") : QStringLiteral("Saída - ")) + f.camera,
                          f.caminho});
        }
    }
    return fotos;
}

} // namespace

bool imprime(TDM& dm, TRelevo& job, const Pedido& pedido)
{
    const auto pesagem = ConsultaTicket::pesagem(dm, pedido.codigo);
    if (!pesagem) {
        return false;
    }
    job.Preview.Fotos = fotosDoTicket(pedido.codigo, pedido.saida);
    LayoutTicket::Estado estado;
    estado.saida = pedido.saida;
    estado.emitente = ConsultaTicket::emitente(dm);
    estado.versao = pedido.versao;
    estado.pesagem = *pesagem;
    estado.codigoVerificacao = Auditoria::codigoDaPesagem(dm, pedido.codigo);
    const ConfigLayout cfg = ConfigLayout::ler(dm);

    TQuery& q = dm.QR_TEMP;
    ConsultaTicket::abrir(q, *pesagem, pedido.usuario);
    LeConfig config(dm);
    if (config.inteiro(QStringLiteral("CFG_TEMPLATE")) == 1) {
        DadosTicket dados(q, estado.codigoVerificacao);
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

void configuraJob(TDM& dm, TRelevo& job)
{
    LeConfig c(dm);
    job.Windows.PrintForWindows = c.ligado(QStringLiteral("CFG_IMPRESSAOFORWINDOWS"));
    const int modelo = c.inteiro(QStringLiteral("CFG_IMPRESSORA"));
    job.PrinterName = TPrinterName(modelo >= 0 && modelo < QuantidadeModelos ? modelo : 0);
    job.QtLines = c.inteiro(QStringLiteral("CFG_LINHASTICKET"));
    job.PrinterPort = c.texto(QStringLiteral("CFG_PORTAREDE"));
    if (job.Windows.PrintForWindows) {
        job.setPageSize(pzA4);
        job.Windows.LineSpace = short(c.inteiro(QStringLiteral("CFG_LINESPACE")));
        job.Windows.Font.setFamily(c.texto(QStringLiteral("CFG_FONTEPADRAO")));
        const int tamanho = c.inteiro(QStringLiteral("CFG_FONTETAMANHO"));
        if (tamanho > 0) job.Windows.Font.setPointSize(tamanho);
    }
}

Resultado imprimeTicket(TDM& dm, TRelevo& job, const QString& codigo, bool saida, int copias,
                        const QString& usuario, const QString& versao)
{
    configuraJob(dm, job);
    bool ok = false;
    const qint64 n = codigo.trimmed().toLongLong(&ok);
    if (!ok) return Resultado::NaoExiste;
    const auto pesagem = ConsultaTicket::pesagem(dm, n);
    if (!pesagem) return Resultado::NaoExiste;
    if (saida && !pesagem->temSaida) return Resultado::SemSaida;
    job.Preview.ShowPreview = true;
    Pedido p;
    p.codigo = n;
    p.saida = saida;
    p.copias = copias;
    p.usuario = usuario;
    p.versao = versao;
    if (LeConfig(dm).inteiro(QStringLiteral("CFG_TEMPLATE")) != 1) {
        imprime(dm, job, p);
        return Resultado::Impresso;
    }
    // Any failure of a template print is the template's.
    job.LinhasPolegada = l8LinPol;
    try {
        imprime(dm, job, p);
    } catch (const std::exception&) {
        return Resultado::ErroTemplate;
    }
    return Resultado::Impresso;
}

QString mensagem(Resultado r)
{
    switch (r) {
    case Resultado::NaoExiste:
        return QStringLiteral("Ticket não existe.");
    case Resultado::SemSaida:
        return QStringLiteral("Este Ticket ainda não teve saída.");
    case Resultado::ErroTemplate:
        return QStringLiteral("Template  não configurada corretamente.");
    case Resultado::Impresso:
        break;
    }
    return QString();
}

QString titulo(Resultado r)
{
    return r == Resultado::ErroTemplate ? QStringLiteral("ERRO") : QStringLiteral("Informação");
}

} // namespace ImpressaoTicket

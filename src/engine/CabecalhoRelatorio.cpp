// SPDX-License-Identifier: GPL-3.0-or-later
#include "CabecalhoRelatorio.h"

#include "Relogio.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TRelevo.h"
#include "TextoImpresso.h"

void CabecalhoRelatorio(TRelevo& job, TDM* dm)
{
    if (!dm) dm = DM;
    TQuery& q = dm->QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("select a.*,b.cid_descricao,b.cid_uf from (cadastrao a"));
    q.Add(QStringLiteral("left join cidade b on a.cid_codigo=b.cid_codigo)"));
    q.Add(QStringLiteral("where cad_tipo=1"));
    q.Open();
    auto campo = [&q](const char* nome) {
        const QString n = QString::fromLatin1(nome);
        return q.IsEmpty() || !q.FindField(n) ? QString() : SemControles(q.AsString(n));
    };
    const int largura = job.PageWidth;
    const QDateTime agora = Relogio::agora();
    job.WriteText({}, TRelevo::Replicate(QStringLiteral("="), largura), 0, true);
    job.WriteText({}, campo("cad_razao"), 0, true);
    job.WriteText({}, campo("cad_endereco") + u' ' + campo("cid_descricao") + u'-' + campo("cid_uf"), 0,
                  false);
    job.WriteText({}, AlinhaTexto(agora.toString(QStringLiteral("hh:mm:ss")), 8, u'E'), largura - 8, true);
    job.WriteText(
        {}, QStringLiteral("C.E.P.: ") + campo("cad_cep") + QStringLiteral(" Fone: ") + campo("cad_fone"), 0,
        false);
    job.WriteText({}, AlinhaTexto(agora.toString(QStringLiteral("dd/MM/yyyy")), 10, u'E'), largura - 10,
                  true);
    job.WriteText({}, QStringLiteral("E-Mail: ") + campo("cad_email"), 0, true);
    job.WriteText({}, TRelevo::Replicate(QStringLiteral("-"), largura), 0, true);
    q.Close();
}

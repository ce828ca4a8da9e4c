// SPDX-License-Identifier: GPL-3.0-or-later
#include "Passagens.h"

#include "Auditoria.h"
#include "ErroBanco.h"
#include "TDM.h"
#include "TabelasPortaria.h"

namespace
{

// The advisory lock under which PostgreSQL workstations take passage numbers.
constexpr qint64 ChaveNumeroPassagem = 0x50415353; // "PASS"

const QString kFormato = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");

QVariant texto(const QDateTime& momento)
{
    return momento.isValid() ? QVariant(momento.toString(kFormato)) : QVariant(QMetaType(QMetaType::QString));
}

QVariant numero(const std::optional<Decimal>& peso)
{
    return peso ? QVariant(peso->toSqlString()) : QVariant(QMetaType(QMetaType::QString));
}

void pesos(TQuery& q, const Passagem& p)
{
    q.setParam(QStringLiteral("maximo"), p.pesoMaximo.toSqlString());
    q.setParam(QStringLiteral("estavel"), numero(p.pesoEstavel));
}

void confereUmaLinha(TQuery& q, qint64 codigo)
{
    if (q.RowsAffected() == 0) {
        throw ErroBanco(QStringLiteral("A passagem %1 não está mais gravada.").arg(codigo));
    }
}

} // namespace

QString PassagemGravada::textoSituacao() const
{
    switch (situacao) {
    case SemPesagem:
        return QStringLiteral("Sem pesagem");
    case Interrompida:
        return QStringLiteral("Interrompida (VIGA fechado)");
    case EmAndamento:
        break;
    }
    return QStringLiteral("Em andamento");
}

namespace Passagens
{

qint64 abre(TDM& dm, const Passagem& p)
{
    Transacao tr(&dm, true);
    TQuery& q = dm.QR_EXEC;
    if (dm.ehPostgres()) {
        q.Clear();
        q.Add(QStringLiteral("select pg_advisory_xact_lock(:chave)"));
        q.setParam(QStringLiteral("chave"), ChaveNumeroPassagem);
        q.Open();
        q.Close();
    }
    q.Clear();
    q.Add(QStringLiteral("select max(PAS_CODIGO) as maximo from PASSAGEM"));
    q.Open();
    const qint64 codigo = q.AsLargeInt(QStringLiteral("maximo")) + 1;
    q.Close();
    q.Clear();
    q.Add(
        QStringLiteral("insert into PASSAGEM (PAS_CODIGO, PAS_ESTACAO, PAS_INICIO, PAS_FIM, PAS_PESOMAXIMO, "
                       "PAS_PESOESTAVEL, PAS_SITUACAO)"));
    q.Add(QStringLiteral("values (:codigo, :estacao, :inicio, :fim, :maximo, :estavel, 0)"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("estacao"), Auditoria::estacao());
    q.setParam(QStringLiteral("inicio"), texto(p.inicio));
    q.setParam(QStringLiteral("fim"), texto(QDateTime()));
    pesos(q, p);
    q.ExecSQL();
    tr.commit();
    return codigo;
}

void atualiza(TDM& dm, qint64 codigo, const Passagem& p)
{
    Transacao tr(&dm, true);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("update PASSAGEM set PAS_PESOMAXIMO=:maximo, PAS_PESOESTAVEL=:estavel"));
    q.Add(QStringLiteral("where PAS_CODIGO=:codigo and PAS_SITUACAO=0"));
    q.setParam(QStringLiteral("codigo"), codigo);
    pesos(q, p);
    q.ExecSQL();
    confereUmaLinha(q, codigo);
    tr.commit();
}

void conclui(TDM& dm, qint64 codigo, const Passagem& p, const QList<FotoCamera>& fotos)
{
    Transacao tr(&dm, true);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (p.pesada) {
        q.Add(QStringLiteral("delete from PASSAGEM where PAS_CODIGO=:codigo and PAS_SITUACAO=0"));
        q.setParam(QStringLiteral("codigo"), codigo);
        q.ExecSQL();
        confereUmaLinha(q, codigo);
        tr.commit();
        return;
    }
    q.Add(
        QStringLiteral("update PASSAGEM set PAS_FIM=:fim, PAS_PESOMAXIMO=:maximo, PAS_PESOESTAVEL=:estavel, "
                       "PAS_SITUACAO=1"));
    q.Add(QStringLiteral("where PAS_CODIGO=:codigo and PAS_SITUACAO=0"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("fim"), texto(p.fim));
    pesos(q, p);
    q.ExecSQL();
    confereUmaLinha(q, codigo);
    for (const FotoCamera& f : fotos) {
        q.Clear();
        q.Add(QStringLiteral("insert into PASSAGEMFOTO (PAS_CODIGO, FOT_CAMERA, FOT_JPEG, FOT_FALHA)"));
        q.Add(QStringLiteral("values (:codigo, :camera, :jpeg, :falha)"));
        q.setParam(QStringLiteral("codigo"), codigo);
        q.setParam(QStringLiteral("camera"), f.camera.left(30));
        q.setParam(QStringLiteral("jpeg"),
                   f.jpeg.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(f.jpeg));
        q.setParam(QStringLiteral("falha"),
                   f.falha.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(f.falha.left(255)));
        q.ExecSQL();
    }
    tr.commit();
}

int marcaInterrompidas(TDM& dm)
{
    Transacao tr(&dm, true);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("update PASSAGEM set PAS_SITUACAO=2 where PAS_SITUACAO=0 and PAS_ESTACAO=:estacao"));
    q.setParam(QStringLiteral("estacao"), Auditoria::estacao());
    q.ExecSQL();
    const int n = q.RowsAffected();
    tr.commit();
    return n;
}

void seleciona(TQuery& q, const QDate& de, const QDate& ate)
{
    q.Clear();
    q.Add(QStringLiteral(
        "select PAS_CODIGO, PAS_ESTACAO, PAS_INICIO, PAS_FIM, PAS_PESOMAXIMO, PAS_PESOESTAVEL, "
        "PAS_SITUACAO from PASSAGEM"));
    // the passages still under way are not listed: they have not ended yet
    q.Add(QStringLiteral("where PAS_INICIO >= :de and PAS_INICIO < :ate and PAS_SITUACAO <> 0"));
    q.Add(QStringLiteral("order by PAS_INICIO, PAS_CODIGO"));
    q.setParam(QStringLiteral("de"), de.toString(Qt::ISODate));
    q.setParam(QStringLiteral("ate"), ate.addDays(1).toString(Qt::ISODate));
}

QList<PassagemGravada> lista(TDM& dm, const QDate& de, const QDate& ate)
{
    TQuery q(&dm, QStringLiteral("QR_Passagens"));
    seleciona(q, de, ate);
    q.Open();
    QList<PassagemGravada> r;
    for (q.First(); !q.Eof(); q.Next()) {
        PassagemGravada p;
        p.codigo = q.AsLargeInt(QStringLiteral("PAS_CODIGO"));
        p.estacao = q.AsString(QStringLiteral("PAS_ESTACAO"));
        p.inicio = QDateTime::fromString(q.AsString(QStringLiteral("PAS_INICIO")), kFormato);
        p.fim = QDateTime::fromString(q.AsString(QStringLiteral("PAS_FIM")), kFormato);
        if (!q.IsNull(QStringLiteral("PAS_PESOMAXIMO"))) {
            p.pesoMaximo = q.AsDecimal(QStringLiteral("PAS_PESOMAXIMO"));
        }
        if (!q.IsNull(QStringLiteral("PAS_PESOESTAVEL"))) {
            p.pesoEstavel = q.AsDecimal(QStringLiteral("PAS_PESOESTAVEL"));
        }
        p.situacao = PassagemGravada::Situacao(q.AsInteger(QStringLiteral("PAS_SITUACAO")));
        r << p;
    }
    q.Close();
    return r;
}

QList<FotoCamera> fotos(TDM& dm, qint64 codigo)
{
    TQuery q(&dm, QStringLiteral("QR_Passagens"));
    q.Add(
        QStringLiteral("select FOT_CAMERA, FOT_JPEG, FOT_FALHA from PASSAGEMFOTO where PAS_CODIGO=:codigo"));
    q.Add(QStringLiteral("order by FOT_CAMERA"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    QList<FotoCamera> r;
    for (q.First(); !q.Eof(); q.Next()) {
        FotoCamera f;
        f.camera = q.AsString(QStringLiteral("FOT_CAMERA"));
        f.jpeg = q.FieldByName(QStringLiteral("FOT_JPEG")).toByteArray();
        f.falha = q.AsString(QStringLiteral("FOT_FALHA"));
        r << f;
    }
    q.Close();
    return r;
}

} // namespace Passagens

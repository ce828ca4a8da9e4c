// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BancoTeste.h"
#include "Decimal.h"

#include <QDate>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QtTest>

// The registries a weighing refers to, and the stored rows read back column
// by column in one comparable form.
namespace FixturePesagem
{

// Client 1, supplier 2, carrier 3; drivers RG "12345" (plate DRV1234, tare
// 11000) and "999" (inactive); product 10 "SOJA" (factors 1 .. 6 = 1; 0,5; 0;
// 0; 0; 0,25; formula table, final moisture 14), product 20 "MILHO" (range
// table 10-12 1 %, 12-14 2 %), product 30 "TRIGO" (no table). Allowed factors
// of product 10: type 7 "2", type 8 "0", type 9 "0", type 10 "0,5".
inline void cadastros(BancoTeste& b)
{
    b.exec(QStringLiteral(
        "insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (1, 3, 'CLIENTE UM')"));
    b.exec(QStringLiteral(
        "insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (2, 4, 'FORNECEDOR DOIS')"));
    b.exec(QStringLiteral(
        "insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (3, 2, 'TRANSPORTES TRES')"));
    b.exec(QStringLiteral(
        "insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cad_insrg, cad_placa, cad_tara, "
        "cad_inativo) values (4, 5, 'JOSE MOTORISTA', '12345', 'DRV1234', 11000, 0)"));
    b.exec(QStringLiteral(
        "insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cad_insrg, cad_inativo, cad_obs) "
        "values (5, 5, 'PEDRO', '999', 1, 'CNH VENCIDA')"));
    b.exec(QStringLiteral("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) "
                          "values (1, 'FORMULA', 1, 14)"));
    b.exec(QStringLiteral("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) "
                          "values (2, 'FAIXAS', 0, 0)"));
    b.exec(QStringLiteral("insert into tabconversao (tab_codigo, tac_inicial, tac_final, tac_desconto) "
                          "values (2, 10, 12, 1)"));
    b.exec(QStringLiteral("insert into tabconversao (tab_codigo, tac_inicial, tac_final, tac_desconto) "
                          "values (2, 12, 14, 2)"));
    b.exec(QStringLiteral(
        "insert into produto (prd_codigo, prd_descricao, prd_fator1, prd_fator2, prd_fator3, "
        "prd_fator4, prd_fator5, prd_fator6, tab_codigo) values ('10', 'SOJA', 1, 0.5, 0, 0, 0, "
        "0.25, 1)"));
    b.exec(QStringLiteral(
        "insert into produto (prd_codigo, prd_descricao, tab_codigo) values ('20', 'MILHO', 2)"));
    b.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao) values ('30', 'TRIGO')"));
    for (const char* f : {"2, 7", "0, 8", "0, 9", "0.5, 10"}) {
        b.exec(QStringLiteral("insert into umidade (prd_codigo, umi_umidade, umi_tipo) values ('10', %1)")
                   .arg(QLatin1String(f)));
    }
}

// A stored value in one form: NULL, dates dd/mm/yyyy, numbers shortest with
// the decimal comma, texts as stored.
inline QString forma(const QString& coluna, const QVariant& v)
{
    if (v.isNull()) {
        return QStringLiteral("NULL");
    }
    const QString c = coluna.toUpper();
    if (c.contains(QLatin1String("DATA"))) {
        if (v.typeId() == QMetaType::QDate) {
            return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        }
        return QDate::fromString(v.toString().left(10), QStringLiteral("yyyy-MM-dd"))
            .toString(QStringLiteral("dd/MM/yyyy"));
    }
    static const QStringList textos{"PES_PLACA",    "PES_PLACACARRETA",  "PES_MOTORISTA",   "PES_NF",
                                    "PES_MENSAGEM", "PES_MENSAGEMSAIDA", "PES_RGMOTORISTA", "PES_OBS",
                                    "PES_OBSSAIDA", "PES_HORAENTRADA",   "PES_HORASAIDA",   "PRD_CODIGO",
                                    "PES_CHAVENFE"};
    if (textos.contains(c)) {
        return v.toString();
    }
    return Decimal::fromVariant(v).toShortString();
}

// The rows of a query, each column in the form above, keyed by upper-case name.
inline QList<QMap<QString, QString>> linhas(BancoTeste& b, const QString& sql)
{
    QSqlQuery q(b.dm().DataBase1());
    if (!q.exec(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    }
    QList<QMap<QString, QString>> r;
    while (q.next()) {
        QMap<QString, QString> l;
        for (int i = 0; i < q.record().count(); ++i) {
            l.insert(q.record().fieldName(i).toUpper(), forma(q.record().fieldName(i), q.value(i)));
        }
        r << l;
    }
    return r;
}

inline QMap<QString, QString> pesagem(BancoTeste& b, qint64 codigo)
{
    const auto r = linhas(b, QStringLiteral("select * from pesagem where pes_codigo=%1").arg(codigo));
    return r.isEmpty() ? QMap<QString, QString>() : r.first();
}

inline QList<QMap<QString, QString>> produtos(BancoTeste& b, qint64 codigo)
{
    return linhas(
        b,
        QStringLiteral("select * from pesagemproduto where pes_codigo=%1 order by prd_codigo").arg(codigo));
}

// Every column of `linha` against `esperado` (which names every column).
inline bool confere(const QMap<QString, QString>& linha, const QMap<QString, QString>& esperado)
{
    bool ok = linha.size() == esperado.size();
    if (!ok) {
        qWarning("colunas: %lld lidas, %lld esperadas", qlonglong(linha.size()), qlonglong(esperado.size()));
    }
    for (auto it = esperado.cbegin(); it != esperado.cend(); ++it) {
        if (linha.value(it.key(), QStringLiteral("<ausente>")) != it.value()) {
            qWarning("%s: gravado \"%s\", esperado \"%s\"", qPrintable(it.key()),
                     qPrintable(linha.value(it.key(), QStringLiteral("<ausente>"))), qPrintable(it.value()));
            ok = false;
        }
    }
    return ok;
}

// A product row with every factor 0 but those given ("PES_FATOR7E=1", ...).
inline QMap<QString, QString> linhaProduto(qint64 codigo, const QString& prd, const QStringList& fatores = {})
{
    QMap<QString, QString> l{{"PES_CODIGO", QString::number(codigo)}, {"PRD_CODIGO", prd}};
    for (const char* f :
         {"1", "2", "3", "4", "5", "6", "7E", "8E", "9E", "10E", "7", "8", "9", "10", "11", "11U"}) {
        l.insert(QStringLiteral("PES_FATOR") + QLatin1String(f), QStringLiteral("0"));
    }
    for (const QString& f : fatores) {
        l.insert(f.section(u'=', 0, 0), f.section(u'=', 1));
    }
    return l;
}

} // namespace FixturePesagem

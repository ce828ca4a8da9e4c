// SPDX-License-Identifier: GPL-3.0-or-later
#include "Atualizacao.h"

#include "Esquema.h"

#include "Dialeto.h"
#include "ErroBanco.h"
#include "LeConfig.h"
#include "TDM.h"
#include "TabelasEvidencia.h"
#include "TabelasPortaria.h"

QString Atualizacao::traduz(const QString& comando) const
{
    return Dialeto::passo(comando, m_dm.ehPostgres());
}

QString Atualizacao::alargaCodigos()
{
    if (!m_dm.ehPostgres()) {
        return QString();
    }
    try {
        Transacao tr(&m_dm);
        alargaCodigosNaTransacao();
        TabelasEvidencia::garante(m_dm);
        TabelasPortaria::garante(m_dm);
        tr.commit();
    } catch (const ErroBanco& e) {
        return e.texto();
    }
    return QString();
}

QString Atualizacao::garanteEvidencia()
{
    try {
        Transacao tr(&m_dm);
        TabelasEvidencia::garante(m_dm);
        TabelasPortaria::garante(m_dm);
        tr.commit();
    } catch (const ErroBanco& e) {
        return e.texto();
    }
    return QString();
}

void Atualizacao::alargaCodigosNaTransacao()
{
    if (!m_dm.ehPostgres()) {
        return;
    }
    // Databases upgraded before product codes were 64-bit hold an integer
    // column: a 13-digit code would not fit.
    TQuery& q = m_dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("select data_type from information_schema.columns"));
    q.Add(QStringLiteral("where table_schema=current_schema() and table_name='produto'"));
    q.Add(QStringLiteral("and column_name='prd_codigoint'"));
    q.Open();
    const bool estreita = !q.IsEmpty() && q.AsString(QStringLiteral("data_type")) == QLatin1String("integer");
    q.Close();
    if (estreita) {
        executa(QStringLiteral("ALTER TABLE produto ALTER COLUMN prd_codigoint TYPE bigint"));
    }
}

void Atualizacao::executa(const QString& sql)
{
    if (sql.isEmpty()) {
        return;
    }
    m_dm.QR_EXEC.Clear();
    m_dm.QR_EXEC.Add(sql);
    m_dm.QR_EXEC.ExecSQL();
}

bool Atualizacao::temColunaConfig(const QString& coluna)
{
    m_dm.QR_EXEC.Clear();
    m_dm.QR_EXEC.Add(QStringLiteral("select * from config"));
    m_dm.QR_EXEC.Open();
    const bool tem = m_dm.QR_EXEC.FindField(coluna);
    m_dm.QR_EXEC.Close();
    return tem;
}

QString Atualizacao::bootstrap()
{
    try {
        if (temColunaConfig(QStringLiteral("cfg_atualiza"))) {
            return QString();
        }
    } catch (const ErroBanco& e) {
        return e.texto();
    }
    try {
        Transacao tr(&m_dm);
        m_dm.QR_TEMP.Clear();
        m_dm.QR_TEMP.Add(QStringLiteral("CREATE TABLE LOGATUALIZA"));
        m_dm.QR_TEMP.Add(QStringLiteral(" (LOG_ARQUIVO\tVARCHAR(20) NOT NULL,"));
        m_dm.QR_TEMP.Add(QStringLiteral(" PRIMARY KEY (LOG_ARQUIVO))"));
        m_dm.QR_TEMP.ExecSQL();
        m_dm.QR_TEMP.Clear();
        m_dm.QR_TEMP.Add(QStringLiteral("alter Table config add cfg_atualiza integer "));
        m_dm.QR_TEMP.ExecSQL();
        tr.commit();
    } catch (const ErroBanco& e) {
        return e.texto();
    }
    return QString();
}

bool Atualizacao::aplicado(const QString& tag)
{
    m_dm.QR_EXEC.Clear();
    m_dm.QR_EXEC.Add(QStringLiteral("Select * from logatualiza where log_arquivo=:tag"));
    m_dm.QR_EXEC.setParam(QStringLiteral("tag"), tag.trimmed());
    m_dm.QR_EXEC.Open();
    const bool sim = !m_dm.QR_EXEC.IsEmpty();
    m_dm.QR_EXEC.Close();
    return sim;
}

bool Atualizacao::atualizado()
{
    try {
        return aplicado(QString::fromLatin1(PassosAtualizacao::UltimaTag));
    } catch (const ErroBanco&) {
        if (m_dm.ehPostgres() && m_dm.InTransaction()) {
            m_dm.RollbackTrans();
        }
        return false;
    }
}

bool Atualizacao::executar(const std::function<void(int, const QString&)>& progresso, QString* tagErro,
                           QString* erro)
{
    const auto& lista = PassosAtualizacao::passos();
    QString atual;
    try {
        Transacao tr(&m_dm);
        for (size_t i = 0; i < lista.size(); ++i) {
            const PassoAtualizacao& p = lista[i];
            atual = p.tag;
            if (!aplicado(p.tag)) {
                bool registra = true;
                if (p.tag == QLatin1String("180208")) {
                    // Databases that already have the column keep the step unlogged.
                    registra = !temColunaConfig(QStringLiteral("CFG_PESAGEMVAGAO"));
                    if (registra) {
                        for (const QString& c : p.comandos) {
                            executa(traduz(c));
                        }
                    }
                } else if (p.tag == QLatin1String("070611b")) {
                    // Only numeric product codes are copied into their numeric mirror.
                    if (LeConfig(m_dm).inteiro(QStringLiteral("CFG_PRDALFA")) == 0) {
                        for (const QString& c : p.comandos) {
                            executa(traduz(c));
                        }
                    }
                } else {
                    for (const QString& c : p.comandos) {
                        executa(traduz(c));
                    }
                }
                if (registra) {
                    m_dm.QR_EXEC.Clear();
                    m_dm.QR_EXEC.Add(QStringLiteral("Insert into logatualiza values (:tag)"));
                    m_dm.QR_EXEC.setParam(QStringLiteral("tag"), p.tag);
                    m_dm.QR_EXEC.ExecSQL();
                    if (progresso) {
                        progresso(int((i + 1) * 100 / lista.size()), p.tag);
                    }
                }
            }
            if (progresso) {
                progresso(int((i + 1) * 100 / lista.size()), QString());
            }
        }
        alargaCodigosNaTransacao();
        TabelasEvidencia::garante(m_dm);
        TabelasPortaria::garante(m_dm);
        Esquema::criaIndicesQueFaltam(m_dm);
        tr.commit();
        Esquema::estatisticas(m_dm);
    } catch (const ErroBanco& e) {
        if (m_dm.InTransaction()) {
            m_dm.RollbackTrans();
        }
        if (tagErro) {
            *tagErro = atual;
        }
        if (erro) {
            *erro = e.texto();
        }
        return false;
    }
    return true;
}

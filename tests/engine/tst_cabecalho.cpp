// SPDX-License-Identifier: GPL-3.0-or-later
// The issuer header block at the top of reports, on either database engine.
#include "BancoTeste.h"
#include "CabecalhoRelatorio.h"
#include "Relogio.h"
#include "ServicosTeste.h"

#include <QTemporaryDir>

class TstCabecalho : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void init() { Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))); }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // The issuer header block, on either database engine.
    void cabecalhoRelatorio()
    {
        BancoTeste banco;
        banco.exec(QStringLiteral(
            "insert into CIDADE (CID_CODIGO, CID_DESCRICAO, CID_UF) values (7, 'CASCAVEL', 'PR')"));
        banco.exec(QStringLiteral(
            "insert into CADASTRAO (CAD_CODIGO, CAD_TIPO, CAD_RAZAO, CAD_ENDERECO, CID_CODIGO, CAD_CEP, "
            "CAD_FONE, "
            "CAD_EMAIL) values (1, 1, 'CEREALISTA BOA SAFRA LTDA', 'RUA DAS PALMEIRAS 100', 7, '85800-000', "
            "'(45)3222-1000', 'balanca@boasafra.com.br')"));
        banco.exec(QStringLiteral(
            "insert into CADASTRAO (CAD_CODIGO, CAD_TIPO, CAD_RAZAO) values (2, 3, 'CLIENTE')"));
        const QString arquivo = m_dir.filePath(QStringLiteral("emissor.prn"));
        TRelevo job;
        jobParaArquivo(job, arquivo);
        job.PageWidth = 60;
        QVERIFY(job.BeginDoc());
        CabecalhoRelatorio(job, &banco.dm());
        job.EndDoc();
        QByteArray esperado = "\x1B\x43\x3E\x1B\x43\x3E" + QByteArray(60, '=') + "\r\n";
        esperado += "CEREALISTA BOA SAFRA LTDA\r\n";
        esperado += "RUA DAS PALMEIRAS 100 CASCAVEL-PR" + QByteArray(19, ' ') + "09:05:07\r\n";
        esperado += "C.E.P.: 85800-000 Fone: (45)3222-1000" + QByteArray(13, ' ') + "08/12/2026\r\n";
        esperado += "E-Mail: balanca@boasafra.com.br\r\n";
        esperado += QByteArray(60, '-') + "\r\n";
        QCOMPARE(lerArquivo(arquivo), esperado);
        QVERIFY(!banco.dm().QR_EXEC.Active());
    }
};

QTEST_GUILESS_MAIN(TstCabecalho)
#include "tst_cabecalho.moc"

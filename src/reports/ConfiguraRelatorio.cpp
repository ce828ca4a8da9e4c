#include "ConfiguraRelatorio.h"

#include "LeConfig.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "TRelevo.h"

namespace ConfiguraRelatorio
{

void job(TRelevo& j, LeConfig& cfg)
{
    j.setPageSize(pzContinous);
    j.QtLines = 66;
    j.PrinterName = rvEpson9pinos;
    j.Preview.ShowPreview = true;
    j.Windows.PrintForWindows = cfg.inteiro(QStringLiteral("CFG_IMPRESSAOFORWINDOWS")) != 0;
    const int modelo = cfg.inteiro(QStringLiteral("CFG_IMPRESSORA"));
    if (modelo >= 0 && modelo < QuantidadeModelos) j.PrinterName = TPrinterName(modelo);
    j.PrinterPort = cfg.texto(QStringLiteral("CFG_PORTAREDE")).trimmed();
    if (j.Windows.PrintForWindows) {
        j.setPageSize(pzA4);
        const int espaco = cfg.inteiro(QStringLiteral("CFG_LINESPACE"));
        if (espaco > 0) j.Windows.LineSpace = short(espaco);
    }
}

void em(TRelevo& j, const QString& texto, int coluna)
{
    j.WriteText({}, texto, coluna, false);
}

void fimLinha(TRelevo& j)
{
    j.WriteText({}, QString(), 0, true);
}

void numero(TRelevo& j, Decimal valor, int casas, int largura, int coluna)
{
    em(j, AlinhaTexto(valor.toString(casas), largura, u'E'), coluna);
}

void regua(TRelevo& j, QChar c, int largura)
{
    j.WriteText({}, TRelevo::Replicate(QString(c), largura), 0, true);
}

void titulo(TRelevo& j, int colunaVersao, bool direita)
{
    em(j, QStringLiteral("VIGA - GESTÃO DE BALANÇA RODOVIÁRIA"), 0);
    j.WriteText({}, QStringLiteral("Versao: ") + AlinhaTexto(VersaoArquivo(), 15, direita ? u'E' : u'D'),
                colunaVersao, true);
}

void rodape(TRelevo& j, int largura, const QString& emissor, int colunaImpresso)
{
    fimLinha(j);
    regua(j, u'-', largura);
    em(j, emissor, 0);
    const QDateTime agora = Relogio::agora();
    j.WriteText({},
                QStringLiteral("Impresso: ") + agora.toString(QStringLiteral("dd/MM/yyyy")) +
                    QStringLiteral("  ") + agora.toString(QStringLiteral("hh:mm:ss")),
                colunaImpresso, true);
}

} // namespace ConfiguraRelatorio

// SPDX-License-Identifier: GPL-3.0-or-later
#include "EdicaoTemplate.h"

#include "ConsultaTicket.h"
#include "DadosTicket.h"
#include "ErroBanco.h"
#include "TDM.h"
#include "TPrnTemplate.h"
#include "TQuery.h"
#include "Win1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace EdicaoTemplate
{

QStringList carregar(TDM& dm, int codigo)
{
    return TPrnTemplate::Linhas(dm, codigo);
}

QString limpaLinha(QString linha)
{
    static const char* const escapes[][2] = {
        {"\\'e1", "á"}, {"\\'e9", "é"}, {"\\'ed", "í"}, {"\\'f3", "ó"}, {"\\'fa", "ú"}, {"\\'c1", "Á"},
        {"\\'c9", "É"}, {"\\'cd", "Í"}, {"\\'d3", "Ó"}, {"\\'da", "Ú"}, {"\\'c7", "Ç"}, {"\\'e7", "ç"},
        {"\\'e3", "ã"}, {"\\'f5", "õ"}, {"\\'c3", "Ã"}, {"\\'d5", "Õ"}, {"\\'ea", "ê"}, {"\\'f4", "ô"},
        {"\\'ca", "Ê"}, {"\\'d4", "Ô"}, {"\\'e0", "à"}, {"\\'c0", "À"},
    };
    for (const auto& e : escapes)
        linha.replace(QLatin1String(e[0]), QString::fromUtf8(e[1]), Qt::CaseInsensitive);
    linha.replace(u'\'', u'"');
    return linha;
}

QString problema(const QStringList& linhas)
{
    if (linhas.size() > MaximoLinhas) {
        return QStringLiteral("O template tem %1 linhas; o máximo é %2.")
            .arg(linhas.size())
            .arg(MaximoLinhas);
    }
    for (int i = 0; i < linhas.size(); ++i) {
        if (linhas[i].contains(QChar(u'\0'))) {
            return QStringLiteral("A linha %1 do template tem um caractere nulo, que não pode ser gravado. "
                                  "Apague-o e feche novamente.")
                .arg(i + 1);
        }
    }
    return QString();
}

void gravar(TDM& dm, int codigo, const QStringList& linhas)
{
    if (const QString p = problema(linhas); !p.isEmpty()) throw ErroBanco(p);
    Transacao t(&dm);
    TQuery& q = dm.QR_EXEC;
    q.setSQL({QStringLiteral("Delete from LinhasTempl where tem_codigo=:codigo")});
    q.setParam(QStringLiteral("codigo"), codigo);
    q.ExecSQL();
    for (int i = 0; i < linhas.size(); ++i) {
        q.setSQL({QStringLiteral("Insert into linhasTempl (tem_codigo, lin_codigo, lin_texto) values "
                                 "(:codigo, :linha, :texto)")});
        q.setParam(QStringLiteral("codigo"), codigo);
        q.setParam(QStringLiteral("linha"), i);
        q.setParam(QStringLiteral("texto"), limpaLinha(linhas[i]));
        q.ExecSQL();
    }
    t.commit();
}

QStringList campos()
{
    // The names the ticket query gives its columns, with every optional piece,
    // as its text writes them (engines change the case of plain column names).
    ConsultaTicket::Pesagem p;
    p.temParte = p.temTransportadora = p.temTipoVeiculo = true;
    QStringList r;
    for (const QString& linha : ConsultaTicket::sql(p)) {
        const QString l = linha.trimmed();
        if (l.startsWith(QLatin1String("from"), Qt::CaseInsensitive)) break;
        if (l.compare(QLatin1String("SELECT distinct"), Qt::CaseInsensitive) == 0) continue;
        // The line's items, split at the commas outside parentheses.
        QStringList itens;
        QString atual;
        int nivel = 0;
        for (const QChar ch : l) {
            if (ch == u'(') ++nivel;
            if (ch == u')') --nivel;
            if (ch == u',' && nivel == 0) {
                itens << atual;
                atual.clear();
            } else {
                atual += ch;
            }
        }
        itens << atual;
        for (const QString& item : std::as_const(itens)) {
            const QString t = item.trimmed();
            if (t.isEmpty()) continue;
            const int as = t.lastIndexOf(QLatin1String(" as "), -1, Qt::CaseInsensitive);
            const QString nome = as >= 0 ? t.mid(as + 4).trimmed() : t.section(u'.', -1).trimmed();
            if (!r.contains(nome, Qt::CaseInsensitive)) r << nome;
        }
    }
    // The names a supplier's weighing has instead.
    for (const char* n : {"TotalDescontoEntrada", "TotalPESODescontoEntrada"})
        r << QLatin1String(n);
    // The verification code of the weighing's latest audit entry.
    r << QLatin1String(DadosTicket::CampoCodigo);
    return r;
}

bool exportar(const QString& arquivo, const QStringList& linhas)
{
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    for (const QString& l : linhas) {
        f.write(l.toUtf8());
        f.write("\r\n");
    }
    return f.commit();
}

QString importar(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return textoCtp(f.readAll());
}

QString textoCtp(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(bytes);
    if (utf8.hasError()) texto = DeWin1252(bytes);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (texto.endsWith(u'\n')) texto.chop(1);
    return texto;
}

QString resumoSintaxe()
{
    return QStringList{
        QStringLiteral("Fixar tamanho do campo   -   [CAMPO:1,20]"),
        QStringLiteral("Fixar tamanho e casas decimais   -   [CAMPO:N10;2]"),
        QStringLiteral(
            "Extenso   -   [CAMPO,n,x,y]    -   onde n=linha e x = y indicando o tamanho da linha"),
        QStringLiteral("Fazer um IF   -   [CAMPO=1,VERDADEIRO,FALSO]"),
        QStringLiteral("Data   -   [CAMPO:DIA/MES/ANO/MES_EXTENSO]"),
        QStringLiteral("<$-X   -   Imprime itens sem produtos do tipo X"),
        QStringLiteral("<$+X   -   Imprime itens somente com produtos do tipo X"),
        QStringLiteral("Página   -   [PAGINA]"),
        QStringLiteral("Total de páginas   -   [PAGINAS]"),
        QStringLiteral("<$NL   -   Pula linha entre os itens"),
        QStringLiteral("<$Lx   -   Pula linha preenchendo a linha nova com o caracter indicado por x"),
        QStringLiteral("<ff>   -   Ejeta Página"),
        QStringLiteral("<ms>=x -   Micro-Salto, onde x é quantidade de saltos, entre 1 e 7"),
    }
        .join(u'\r');
}

} // namespace EdicaoTemplate

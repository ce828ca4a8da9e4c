// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rotinas.h"

#include "Relogio.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

QString ConverteNumero(const QString& texto, bool paraSql)
{
    QString s = texto;
    s.remove(u'.');
    if (paraSql) {
        s.replace(u',', u'.');
    }
    return s;
}

QString TrocaCaractere(const QString& texto, QChar de, QChar para)
{
    QString s = texto;
    s.replace(de, para);
    return s;
}

bool EhNumero(const QString& texto)
{
    static const QRegularExpression re(QStringLiteral(R"(^[+-]?(\d+(,\d*)?|,\d+)([eE][+-]?\d+)?$)"));
    return re.match(texto.trimmed()).hasMatch();
}

QString FormataDecimais(const QString& texto, int casas)
{
    const QString t = texto.trimmed();
    if (t.isEmpty() || !EhNumero(t)) {
        return texto;
    }
    QString ponto = t;
    ponto.replace(u',', u'.');
    bool ok = false;
    const double v = ponto.toDouble(&ok);
    if (!ok) {
        return texto;
    }
    QString s = QString::number(v, 'f', qBound(0, casas, 15));
    s.replace(u'.', u',');
    return s;
}

QDate LeData(const QString& texto)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{1,4})\s*$)"));
    const auto m = re.match(texto);
    if (!m.hasMatch()) {
        return QDate();
    }
    int ano = m.captured(3).toInt();
    if (m.captured(3).size() <= 2) {
        // Two-digit year: placed within 50 years of the current year.
        const int atual = Relogio::hoje().year();
        int seculo = (atual - 50) / 100 * 100;
        ano += seculo;
        if (ano < atual - 50) {
            ano += 100;
        }
    }
    return QDate(ano, m.captured(2).toInt(), m.captured(1).toInt());
}

bool EhData(const QString& texto)
{
    const QDate d = LeData(texto);
    if (!d.isValid()) {
        return false;
    }
    const QDate hoje = Relogio::hoje();
    return d > hoje.addDays(-36500) && d < hoje.addDays(3650);
}

bool DataVazia(const QString& texto)
{
    QString s = texto;
    s.replace(u'/', u' ');
    return s.trimmed().isEmpty();
}

QString FormataData(const QString& texto)
{
    if (!EhData(texto)) {
        return texto;
    }
    return LeData(texto).toString(QStringLiteral("dd/MM/yyyy"));
}

bool EhHora(const QString& texto)
{
    QString t = texto;
    if (t.size() == 6) {
        t = t.mid(0, 2) + u':' + t.mid(2, 2) + u':' + t.mid(4, 2);
    } else if (t.size() != 8) {
        return false;
    }
    static const QRegularExpression re(QStringLiteral(R"(^\s?\d{1,2}:\d{2}:\d{2}$)"));
    if (!re.match(t).hasMatch()) {
        return false;
    }
    const QStringList p = t.trimmed().split(u':');
    return QTime(p[0].toInt(), p[1].toInt(), p[2].toInt()).isValid();
}

QString CompletaZeros(const QString& texto, int largura)
{
    const int n = largura < 0 ? -largura : largura;
    if (texto.size() >= n) {
        return texto;
    }
    const QString zeros(n - texto.size(), u'0');
    return largura > 0 ? zeros + texto : texto + zeros;
}

QString AlinhaTexto(const QString& texto, int largura, QChar modo)
{
    if (texto.size() >= largura) {
        return texto;
    }
    const int falta = largura - texto.size();
    switch (modo.toUpper().unicode()) {
    case 'D':
        return texto + QString(falta, u' ');
    case 'E':
        return QString(falta, u' ') + texto;
    case '*':
        return texto + QString(falta, u'*');
    default:
        return texto;
    }
}

int PosicaoTexto(const QString& padrao, const QString& texto)
{
    if (padrao.isEmpty()) {
        return 0;
    }
    return texto.lastIndexOf(padrao) + 1;
}

QString SubstituiTrecho(const QString& texto, int posicao, int quantidade, const QString& trecho)
{
    QString s = texto;
    const int i = qBound(0, posicao - 1, int(s.size()));
    s.remove(i, qMax(0, quantidade));
    s.insert(i, trecho);
    return s;
}

int IndiceNaLista(const QString& texto, const QStringList& lista, int maiorIndice)
{
    for (int i = 0; i <= maiorIndice && i < lista.size(); ++i) {
        if (lista[i].compare(texto, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString VersaoArquivo()
{
#ifdef VIGA_VERSION
    const QString v = QStringLiteral(VIGA_VERSION);
    QStringList p = v.split(u'.');
    while (p.size() < 4) {
        p << QStringLiteral("0");
    }
    return p.mid(0, 4).join(u'.');
#else
    return QStringLiteral("Desconhecida");
#endif
}

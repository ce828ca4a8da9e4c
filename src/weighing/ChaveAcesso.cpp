// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChaveAcesso.h"

namespace
{

// The states by their statistics office code, as the key's first two digits.
struct Estado {
    int codigo;
    const char* sigla;
};
constexpr Estado estados[] = {{11, "RO"}, {12, "AC"}, {13, "AM"}, {14, "RR"}, {15, "PA"}, {16, "AP"},
                              {17, "TO"}, {21, "MA"}, {22, "PI"}, {23, "CE"}, {24, "RN"}, {25, "PB"},
                              {26, "PE"}, {27, "AL"}, {28, "SE"}, {29, "BA"}, {31, "MG"}, {32, "ES"},
                              {33, "RJ"}, {35, "SP"}, {41, "PR"}, {42, "SC"}, {43, "RS"}, {50, "MS"},
                              {51, "MT"}, {52, "GO"}, {53, "DF"}};

const char* sigla(int codigo)
{
    for (const Estado& e : estados) {
        if (e.codigo == codigo) return e.sigla;
    }
    return nullptr;
}

// The longest invoice number the field stores: anything longer is meant as a key.
constexpr int maiorNumero = 30;

ChaveAcesso recusa(const QString& motivo)
{
    ChaveAcesso c;
    c.tipo = ChaveAcesso::Tipo::Recusada;
    c.erro = motivo;
    return c;
}

QString soDigitos(const QString& s)
{
    QString d;
    for (QChar c : s) {
        if (c.isDigit()) d += c;
    }
    return d;
}

} // namespace

int ChaveAcesso::digitoVerificador(const QString& digitos43)
{
    int soma = 0;
    int peso = 2;
    for (qsizetype i = digitos43.size() - 1; i >= 0; --i) {
        soma += digitos43.at(i).digitValue() * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

ChaveAcesso ChaveAcesso::ler(const QString& texto)
{
    QString limpo;
    for (QChar c : texto) {
        if (c != u' ' && c != u'.' && c != u'-' && c != u'\t') limpo += c;
    }
    const bool longo = limpo.size() == 44 || limpo.size() > maiorNumero;
    if (!longo) {
        return {};
    }
    for (qsizetype i = 0; i < limpo.size(); ++i) {
        if (!limpo.at(i).isDigit()) {
            return recusa(
                QStringLiteral("A chave de acesso da nota tem só algarismos: há \"%1\" na posição %2.")
                    .arg(limpo.at(i))
                    .arg(i + 1));
        }
    }
    if (limpo.size() != 44) {
        return recusa(
            QStringLiteral("A chave de acesso da nota tem 44 algarismos; foram lidos %1.").arg(limpo.size()));
    }
    if (digitoVerificador(limpo.left(43)) != limpo.at(43).digitValue()) {
        return recusa(QStringLiteral("Chave de acesso inválida: o dígito verificador não confere. "
                                     "Confira a chave ou leia o código de barras de novo."));
    }
    ChaveAcesso c;
    c.codigoUf = limpo.left(2).toInt();
    const char* uf = sigla(c.codigoUf);
    if (!uf) {
        return recusa(
            QStringLiteral("Chave de acesso inválida: o código de estado %1 não existe.").arg(limpo.left(2)));
    }
    c.mes = limpo.mid(4, 2).toInt();
    if (c.mes < 1 || c.mes > 12) {
        return recusa(
            QStringLiteral("Chave de acesso inválida: o mês de emissão %1 não existe.").arg(limpo.mid(4, 2)));
    }
    c.tipo = Tipo::Chave;
    c.chave = limpo;
    c.uf = QLatin1String(uf);
    c.ano = 2000 + limpo.mid(2, 2).toInt();
    c.cnpj = limpo.mid(6, 14);
    c.modelo = limpo.mid(20, 2).toInt();
    c.serie = limpo.mid(22, 3).toInt();
    c.numero = QString::number(limpo.mid(25, 9).toLongLong());
    return c;
}

QString ChaveAcesso::cnpjFormatado() const
{
    if (cnpj.size() != 14) return cnpj;
    return QStringLiteral("%1.%2.%3/%4-%5")
        .arg(cnpj.left(2), cnpj.mid(2, 3), cnpj.mid(5, 3), cnpj.mid(8, 4), cnpj.mid(12, 2));
}

QString ChaveAcesso::resumo() const
{
    return QStringLiteral("%1, %2/%3, CNPJ %4")
        .arg(uf)
        .arg(mes, 2, 10, QLatin1Char('0'))
        .arg(ano)
        .arg(cnpjFormatado());
}

QStringList ChaveAcesso::avisos(const QString& cnpjDaParte, const QDate& hoje) const
{
    QStringList a;
    if (tipo != Tipo::Chave) return a;
    const QString parte = soDigitos(cnpjDaParte);
    if (parte.size() == 14 && parte != cnpj) {
        a << QStringLiteral("O CNPJ do emitente da nota (%1) não é o do cadastro selecionado.")
                 .arg(cnpjFormatado());
    }
    const int meses = (hoje.year() * 12 + hoje.month()) - (ano * 12 + mes);
    if (meses > 2) {
        a << QStringLiteral("A nota foi emitida em %1/%2, há mais de dois meses.")
                 .arg(mes, 2, 10, QLatin1Char('0'))
                 .arg(ano);
    }
    return a;
}

NotaFiscalDigitada NotaFiscalDigitada::ler(const QString& texto, const QString& chaveAtual,
                                           const QString& cnpjDaParte, const QDate& hoje)
{
    NotaFiscalDigitada n;
    const ChaveAcesso c = ChaveAcesso::ler(texto);
    switch (c.tipo) {
    case ChaveAcesso::Tipo::Recusada:
        n.recusada = true;
        n.erro = c.erro;
        n.numero = texto;
        n.chave = chaveAtual;
        break;
    case ChaveAcesso::Tipo::Chave:
        n.numero = c.numero;
        n.chave = c.chave;
        n.resumo = c.resumo();
        n.avisos = c.avisos(cnpjDaParte, hoje);
        break;
    case ChaveAcesso::Tipo::Numero: {
        n.numero = texto;
        // A number typed over the key's own number is a new invoice: the key goes.
        const ChaveAcesso atual = ChaveAcesso::ler(chaveAtual);
        if (atual.tipo == ChaveAcesso::Tipo::Chave && texto.trimmed() == atual.numero) {
            n.chave = atual.chave;
        }
        break;
    }
    }
    return n;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutTicket.h"

#include "LeConfig.h"
#include "TDM.h"
#include "TQuery.h"
#include "TRelevo.h"
#include "TextoImpresso.h"

#include <QTime>
#include <algorithm>

ConfigLayout ConfigLayout::ler(TDM& dm)
{
    LeConfig c(dm);
    ConfigLayout r;
    r.ticket40 = c.inteiro(QStringLiteral("CFG_TICKET40")) == 1;
    r.sintetico = c.inteiro(QStringLiteral("CFG_TICKETSINTETICO")) == 1;
    r.listaProdutos = c.ligado(QStringLiteral("CFG_MORPRODUTO"));
    r.itemDesc = c.texto(QStringLiteral("CFG_ITEMDESC"));
    r.umidade = c.ligado(QStringLiteral("CFG_UMIDADE"));
    r.umidadeUnica = c.inteiro(QStringLiteral("CFG_UMIDADEUNICA")) == 1;
    r.imprimeTransportadora = c.inteiro(QStringLiteral("CFG_IMPTRANSP")) == 1;
    r.navio = c.inteiro(QStringLiteral("CFG_NAVIO")) == 1;
    r.casasDecimais = qBound(0, c.inteiro(QStringLiteral("CFG_CASASDECIMAIS")), 3);
    r.pesoEmbalagem = c.inteiro(QStringLiteral("CFG_PESOEMBALAGEM"));
    r.metrosCubicos = c.inteiro(QStringLiteral("CFG_METROSCUBICOS")) == 1;
    r.pesagemObs = c.inteiro(QStringLiteral("CFG_PESAGEMOBS")) == 1;
    r.supervisor = c.inteiro(QStringLiteral("CFG_SUPERVISOR")) == 1;
    for (int i = 0; i < 10; ++i) {
        r.fatores[size_t(i)] = c.texto(QStringLiteral("CFG_FATOR%1").arg(i + 1));
    }
    return r;
}

CamposTicket CamposTicket::ler(TDM& dm)
{
    TQuery& q = dm.QR_ConfTicket;
    q.setSQL({QStringLiteral("Select *"), QStringLiteral("From ConfigTicket")});
    q.Open();
    CamposTicket r;
    if (!q.IsEmpty()) {
        auto liga = [&](const char* c) { return q.AsInteger(QLatin1String(c)) != 0; };
        r.codigo = liga("CFG_SHOWCODIGO");
        r.placa = liga("CFG_SHOWPLACA");
        r.placaCarreta = liga("CFG_SHOWPLACACARRETA");
        r.nf = liga("CFG_SHOWNF");
        r.motorista = liga("CFG_SHOWMOTORISTA");
    }
    q.Close();
    return r;
}

LayoutTicket::LayoutTicket(TRelevo& job, TQuery& q, const ConfigLayout& cfg, const CamposTicket& campos,
                           const Estado& estado)
    : m_job(job), m_q(q), m_cfg(cfg), m_campos(campos), m_estado(estado), m_largura(cfg.ticket40 ? 40 : 80)
{
}

QString LayoutTicket::formataPeso(Decimal x, int casas)
{
    return x.toString(casas);
}

QString LayoutTicket::formataPercentual(Decimal x)
{
    return x.toString(3) + QStringLiteral(" %");
}

QString LayoutTicket::formataCoeficiente(Decimal x)
{
    return x.toString(4);
}

void LayoutTicket::texto(const QString& t, int coluna, bool fim)
{
    // A line is written whole, once it is known, fitted to the ticket's width.
    m_pecas << PecaLinha{t, coluna};
    if (!fim) return;
    const QStringList linhas = ComporLinha(m_pecas, m_largura);
    m_pecas.clear();
    for (const QString& l : linhas)
        m_job.WriteText({}, l, 0, true);
}

void LayoutTicket::identificador(const QString& t, int coluna)
{
    m_pecas << PecaLinha{t, coluna, true};
}

void LayoutTicket::linhaLonga(const QString& t)
{
    for (const QString& l : QuebraEmLinhas(t, m_largura))
        linha(l);
}

void LayoutTicket::separador(QChar c)
{
    texto(TRelevo::Replicate(QString(c), m_largura), 0, true);
}

QString LayoutTicket::campo(const char* nome) const
{
    const QString n = QLatin1String(nome);
    return m_q.FindField(n) ? SemControles(m_q.AsString(n)) : QString();
}

Decimal LayoutTicket::numero(const char* nome) const
{
    const QString n = QLatin1String(nome);
    return m_q.FindField(n) ? m_q.AsDecimal(n) : Decimal();
}

QString LayoutTicket::data(const char* nome) const
{
    const QDate d = m_q.AsDate(QLatin1String(nome));
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString LayoutTicket::hora(const char* nome) const
{
    const QString t = campo(nome).trimmed();
    for (const char* forma : {"hh:mm:ss", "h:mm:ss", "hh:mm", "h:mm"}) {
        const QTime h = QTime::fromString(t, QLatin1String(forma));
        if (h.isValid()) {
            return h.toString(QStringLiteral("hh:mm:ss"));
        }
    }
    return t;
}

Quantidades::Fatores LayoutTicket::fatoresDaLinha() const
{
    Quantidades::Fatores f;
    for (int i = 0; i < 6; ++i) {
        f.fixos[size_t(i)] = m_q.AsDecimal(QStringLiteral("pes_fator%1").arg(i + 1));
    }
    for (int i = 0; i < 4; ++i) {
        f.saida[size_t(i)] = m_q.AsDecimal(QStringLiteral("pes_fator%1").arg(i + 7));
        f.entrada[size_t(i)] = m_q.AsDecimal(QStringLiteral("pes_fator%1e").arg(i + 7));
    }
    f.umidade = numero("pes_fator11");
    return f;
}

void LayoutTicket::calculaCoeficientes()
{
    const Quantidades::Fatores f = fatoresDaLinha();
    fcvEntrada = Quantidades::fcvEntrada(f);
    fcf = Quantidades::fcf(f);
    fcvSaida = Quantidades::fcvSaida(f);
    fcTotal = Quantidades::fcTotal(f);
}

void LayoutTicket::escreve()
{
    fcvEntrada = fcf = fcvSaida = fcTotal = pesoEntradaCorrigido = pesoCorrigido = Decimal();
    if (!m_cfg.sintetico) {
        cabecalho();
    }
    motoristaParteTransportadora();
    produtos();
    pesos();
    resultado();
    if (!m_cfg.ticket40) {
        metrosCubicos();
    }
    verificacao();
    fechamento();
}

void LayoutTicket::cabecalho()
{
    const bool l40 = m_cfg.ticket40;
    const bool saida = m_estado.saida;
    const QString versao = (QStringLiteral("Versao: ") + m_estado.versao).leftJustified(18);
    if (l40) {
        linha(QStringLiteral("VIGA - ") + versao);
    } else {
        texto(QStringLiteral("VIGA - GESTÃO DE BALANÇA RODOVIÁRIA"), 0, false);
        texto(versao, 64, true);
    }
    linha(m_estado.emitente);
    separador(u'=');
    if (saida) {
        linha(QStringLiteral("Ticket de Entrada Impresso ? : ") +
              (numero("pes_tkentrada").isZero() ? QStringLiteral("Sim") : QStringLiteral("Nao")));
    }
    auto forma = [&](const char* c) {
        return numero(c).isZero() ? QStringLiteral("Manual") : QStringLiteral("Automatico");
    };
    linha(QStringLiteral("Forma de Pesagem - Entrada   : ") + forma("pes_tktmanualentrada"));
    if (saida) {
        linha(QStringLiteral("Forma de Pesagem - Saida     : ") + forma("pes_tktmanualsaida"));
    }
    texto(saida ? QStringLiteral("TICKET  DE  SAIDA ") : QStringLiteral("TICKET DE ENTRADA "), 0, false);
    if (m_campos.codigo) {
        if (l40) {
            texto(QStringLiteral(" Numero: ") + campo("Pes_Codigo"), 0, true);
        } else {
            texto(QStringLiteral("........................................... Numero: ") +
                      campo("Pes_Codigo"),
                  19, true);
        }
    } else {
        texto(QString(), 0, true); // the title ends its line; the rule follows on the next
    }
    separador(u'-');
    const int c2 = l40 ? 10 : 10, c3 = l40 ? 20 : 30, c4 = l40 ? 30 : 61;
    if (l40) {
        texto(QStringLiteral("Placa"), 0, false);
        texto(QStringLiteral("Carreta"), c2, false);
        texto(QStringLiteral("N.F."), c3, false);
        texto(QStringLiteral("Peso N.F."), c4, true);
    } else {
        texto(QStringLiteral("Placa"), 0, false);
        texto(QStringLiteral("Placa da Carreta"), c2, false);
        texto(QStringLiteral("Nota Fiscal"), c3, false);
        texto(QStringLiteral("Peso Nota Fiscal"), c4, true);
    }
    if (m_campos.placa) {
        identificador(campo("pes_placa"), 0);
    }
    if (m_campos.placaCarreta) {
        identificador(campo("pes_placacarreta"), l40 ? 10 : 15);
    }
    if (m_campos.nf) {
        identificador(campo("pes_nf"), c3);
    }
    const Decimal nota = numero("Pes_PesoNota");
    const bool temNota = nota.raw() / 10000 != 0;
    texto(temNota ? nota.toShortString() + QStringLiteral(" kg") : QStringLiteral("0.00 kg"), c4, true);
    // The invoice's access key, in groups of four as its printed copy shows
    // it, under the invoice number (broken between groups on a narrow ticket).
    const QString chave = campo("pes_chavenfe").trimmed();
    if (m_campos.nf && !chave.isEmpty()) {
        QStringList grupos;
        for (qsizetype i = 0; i < chave.size(); i += 4) {
            grupos << chave.mid(i, 4);
        }
        linhaLonga(QStringLiteral("Chave de acesso da N.F.: ") + grupos.join(u' '));
    }
    separador(u'-');
}

void LayoutTicket::motoristaParteTransportadora()
{
    const bool l40 = m_cfg.ticket40;
    const int n = l40 ? 30 : 60;
    const QString motorista = campo("pes_motorista");
    if (m_cfg.sintetico) {
        if (l40) {
            if (m_campos.motorista) {
                linha(QStringLiteral("Motorista.....:") + motorista.left(30));
            }
            linha(m_campos.placa ? QStringLiteral("Placa : ") + campo("pes_placa") : QString());
        } else {
            if (m_campos.motorista) {
                texto(QStringLiteral("Motorista.....:") + motorista.left(40), 0, false);
            }
            texto(m_campos.placa ? QStringLiteral("Placa : ") + campo("pes_placa") : QString(), 60, true);
        }
    } else if (m_campos.motorista) {
        linha(QStringLiteral("Motorista.....:") + motorista.left(n));
    }
    if (m_estado.pesagem.temParte) {
        const bool fornecedor = m_q.AsInteger(QStringLiteral("cad_tipo")) == Quantidades::Fornecedor;
        QString rotulo;
        if (l40) {
            rotulo = fornecedor ? QStringLiteral("Fornecedor:") : QStringLiteral("Cliente...:");
        } else {
            rotulo = fornecedor ? QStringLiteral("Fornecedor....:") : QStringLiteral("Cliente.......:");
        }
        linha(rotulo + campo("cad_razao").left(n));
    }
    if (m_estado.pesagem.temTransportadora && m_cfg.imprimeTransportadora) {
        linha((m_cfg.navio ? QStringLiteral("Navio:") : QStringLiteral("Transportadora:")) +
              campo("Transportadora").left(n));
    }
}

void LayoutTicket::produtos()
{
    const bool l40 = m_cfg.ticket40;
    if (m_cfg.listaProdutos) {
        linha(l40 ? m_cfg.itemDesc : QStringLiteral("Itens.........:"));
        for (;;) {
            identificador(campo("prd_codigo").trimmed(), 15);
            if (l40) {
                texto(QStringLiteral(" - ") + campo("prd_descricao").left(20), 0, true);
            } else {
                texto(QStringLiteral(" - ") + campo("prd_descricao").left(50), 28, true);
            }
            m_q.Next();
            if (m_q.Eof()) {
                // The rest of the ticket reads the last row; the report's own
                // step then finds no further row.
                m_q.setRecNo(m_q.RecNo() - 1);
                break;
            }
        }
        separador(u'-');
        // The corrected entry weight of the last row needs its coefficients
        // even though no factor block follows a product list.
        if (m_cfg.umidade) {
            calculaCoeficientes();
        }
        return;
    }
    if (l40) {
        texto(QStringLiteral("Item.: "), 0, false);
        identificador(campo("prd_codigo"), 0);
        texto(QStringLiteral(" - ") + campo("prd_descricao").left(20), 0, true);
    } else {
        texto(m_cfg.itemDesc, 0, false);
        identificador(campo("prd_codigo"), 15);
        texto(QStringLiteral(" - ") + campo("prd_descricao").left(50), 28, true);
    }
    separador(u'-');
    if (l40 && (m_cfg.umidade || m_cfg.umidadeUnica)) {
        calculaCoeficientes();
        blocoFatores40();
    } else if (!l40 && m_cfg.umidade) {
        calculaCoeficientes();
        blocoFatores80();
    }
}

void LayoutTicket::blocoFatores80()
{
    const auto& fat = m_cfg.fatores;
    auto linhaDe = [&](const QList<QString>& pecas) {
        for (int i = 0; i < pecas.size(); ++i) {
            texto(pecas[i], 13 * i, i == pecas.size() - 1);
        }
    };
    linha(QStringLiteral("FATORES DE CORRECAO APLICADOS NA ENTRADA"));
    separador(u'-');
    linha(QStringLiteral("(FCV) Fatores de Correcao Variaveis  : ") + formataCoeficiente(fcvEntrada));
    linhaDe({fat[6], fat[7], fat[8], fat[9]});
    linhaDe({P("pes_fator7e"), P("pes_fator8e"), P("pes_fator9e"), P("pes_fator10e")});
    separador(u'-');
    if (!m_estado.saida) {
        return;
    }
    linha(QStringLiteral("FATORES DE CORRECAO APLICADOS NA SAIDA"));
    separador(u'-');
    linha(QStringLiteral("(FCF) Fatores de Correcao Fixos    : ") + formataCoeficiente(fcf));
    linhaDe({fat[0], fat[1], fat[2], fat[3], fat[4], fat[5]});
    linhaDe({P("pes_fator1"), P("pes_fator2"), P("pes_fator3"), P("pes_fator4"), P("pes_fator5"),
             P("pes_fator6")});
    separador(u'-');
    linha(QStringLiteral("(FCV) Fatores de Correcao Variaveis: ") + formataCoeficiente(fcvSaida));
    linhaDe({fat[6], fat[7], fat[8], fat[9], QStringLiteral("UMIDADE")});
    linhaDe({P("pes_fator7"), P("pes_fator8"), P("pes_fator9"), P("pes_fator10"), P("pes_fator11")});
    separador(u'-');
}

void LayoutTicket::blocoFatores40()
{
    const auto& fat = m_cfg.fatores;
    auto linhaDe = [&](const QList<QString>& pecas) {
        for (int i = 0; i < pecas.size(); ++i) {
            texto(pecas[i], 10 * i, i == pecas.size() - 1);
        }
    };
    linha(QStringLiteral("FATORES DE CORRECAO APLICADOS NA ENTRADA"));
    separador(u'-');
    linha(QStringLiteral("F.C.V.: ") + formataCoeficiente(fcvEntrada));
    if (m_cfg.umidadeUnica) {
        linha(fat[6]);
        linha(P("pes_fator7e"));
    } else {
        linhaDe({fat[6], fat[7], fat[8], fat[9]});
        linhaDe({P("pes_fator7e"), P("pes_fator8e"), P("pes_fator9e"), P("pes_fator10e")});
    }
    separador(u'-');
    if (!m_estado.saida || m_cfg.umidadeUnica) {
        return;
    }
    linha(QStringLiteral("FATORES DE CORRECAO APLICADOS NA SAIDA"));
    separador(u'-');
    linha(QStringLiteral("(FCF)Fatores de Correcao Fixos:") + formataCoeficiente(fcf));
    linhaDe({fat[0], fat[1], fat[2]});
    linhaDe({P("pes_fator1"), P("pes_fator2"), P("pes_fator3")});
    linhaDe({fat[3], fat[4], fat[5]});
    linhaDe({P("pes_fator4"), P("pes_fator5"), P("pes_fator6")});
    separador(u'-');
    linha(QStringLiteral("(FCV) Fatores de Correcao Variaveis: ") + formataCoeficiente(fcvSaida));
    linhaDe({fat[6], fat[7], fat[8], fat[9]});
    linhaDe({P("pes_fator7"), P("pes_fator8"), P("pes_fator9"), P("pes_fator10")});
    linha(QStringLiteral("UMIDADE"));
    linha(P("pes_fator11"));
    separador(u'-');
}

void LayoutTicket::pesos()
{
    const bool l40 = m_cfg.ticket40;
    const bool saida = m_estado.saida;
    const int col = l40 ? 20 : 40;
    const Decimal e = numero("pes_pesoentrada");
    const Decimal s = numero("pes_pesosaida");
    // The second half of each line: the exit's, or an empty piece ending the line.
    auto segunda = [&](const QString& t, int colunaEntrada) {
        if (saida) {
            texto(t, col, true);
        } else {
            texto(QString(), colunaEntrada, true);
        }
    };
    texto(QStringLiteral("ENTRADA DA PESAGEM"), 0, false);
    segunda(QStringLiteral("SAIDA DA PESAGEM"), col);
    texto(QStringLiteral("------------------"), 0, false);
    segunda(QStringLiteral("------------------"), 40);
    const QString dataSaida = data("pes_datasaida");
    const QString horaSaida = hora("pes_horasaida");
    if (l40) {
        texto(W(e) + QStringLiteral(" kg"), 0, false);
        segunda(W(s) + QStringLiteral(" kg"), 20);
        texto(data("pes_dataentrada"), 0, false);
        segunda(dataSaida, 40);
        texto(hora("pes_horaentrada"), 0, false);
        segunda(horaSaida, 40);
    } else {
        texto(QStringLiteral("Peso de Entrada..: ") + W(e) + QStringLiteral(" kg"), 0, false);
        segunda(QStringLiteral("Peso de Saida....: ") + W(s) + QStringLiteral(" kg"), 40);
        texto(QStringLiteral("Data de Entrada..: ") + data("pes_dataentrada"), 0, false);
        segunda(QStringLiteral("Data de Saida....: ") + dataSaida, 40);
        texto(QStringLiteral("Hora da Entrada..: ") + hora("pes_horaentrada"), 0, false);
        segunda(QStringLiteral("Hora da Saida....: ") + horaSaida, 40);
    }
    separador(u'=');
}

void LayoutTicket::resultado()
{
    const bool l40 = m_cfg.ticket40;
    const Decimal e = numero("pes_pesoentrada");
    if (!m_estado.saida) {
        linha(QStringLiteral("Peso: "));
        linha(W(e) + QStringLiteral(" kg"));
        separador(u'-');
        return;
    }
    const Decimal s = numero("pes_pesosaida");
    const int tipo = m_q.AsInteger(QStringLiteral("cad_tipo"));
    pesoEntradaCorrigido = m_cfg.umidade ? Quantidades::pesoEntradaCorrigido(e, fcvEntrada) : e;
    const Decimal liq = Quantidades::liquido(pesoEntradaCorrigido, s, tipo);
    const Decimal bruto = Quantidades::bruto(pesoEntradaCorrigido, s, tipo);
    const Decimal tara = Quantidades::tara(pesoEntradaCorrigido, s, tipo);
    const Decimal difNF = Quantidades::diferencaNota(liq, numero("Pes_PesoNota"));
    if (m_cfg.umidade) {
        pesoCorrigido = Quantidades::liquidoCorrigidoTicket(pesoEntradaCorrigido, s, fatoresDaLinha());
    }
    const QString kg = QStringLiteral(" kg");
    if (l40) {
        texto(QStringLiteral("Dif. NF"), 0, false);
        texto(QStringLiteral("Bruto"), 10, false);
        texto(QStringLiteral("Tara"), 20, false);
        texto(QStringLiteral("Liquido"), 30, true);
        texto(W(difNF), 0, false);
        texto(W(bruto), 10, false);
        texto(W(tara), 20, false);
        texto(W(liq), 30, true);
        if (m_cfg.umidade) {
            linha(QStringLiteral("Peso Liquido aplicando Fatores de"));
            linha(QStringLiteral("Correção (FCF) e (FCV) :  ") + W(pesoCorrigido) + kg);
            linha(QStringLiteral("Calculo Fatores de Correcao"));
            linha(QStringLiteral("(Peso Liquido * (FCF + FCV))"));
        }
        separador(u'-');
        return;
    }
    const bool embalagem = m_cfg.pesoEmbalagem != 0;
    texto(QStringLiteral("Diferenca NF"), 0, false);
    texto(QStringLiteral("Bruto"), 20, false);
    texto(QStringLiteral("Tara"), 40, false);
    if (embalagem) {
        texto(QStringLiteral("Embalagem"), 55, false);
        texto(QStringLiteral("Liquido"), 69, true);
    } else {
        texto(QStringLiteral("Liquido"), 60, true);
    }
    texto(W(difNF) + kg, 0, false);
    texto(W(bruto) + kg, 20, false);
    texto(W(tara) + kg, 40, false);
    if (embalagem) {
        const Decimal emb = numero("pes_PesoEmbalagem");
        texto(W(emb) + kg, 55, false);
        texto(W(Quantidades::liquidoSemEmbalagem(liq, emb)) + kg, 69, true);
    } else {
        texto(W(liq) + kg, 60, true);
    }
    if (m_cfg.umidade) {
        linha(QStringLiteral("Peso Liquido aplicando Fatores de Correção (FCF) e (FCV) :  ") +
              W(pesoCorrigido) + kg);
        linha(QStringLiteral("Calculo Fatores de Correcao (Peso Liquido * (FCF + FCV))"));
    }
    separador(u'-');
}

void LayoutTicket::metrosCubicos()
{
    if (!m_cfg.metrosCubicos || !m_estado.saida || campo("prd_densidade").trimmed().isEmpty()) {
        return;
    }
    const int tipo = m_q.AsInteger(QStringLiteral("cad_tipo"));
    const Decimal liq = Quantidades::liquido(pesoEntradaCorrigido, numero("pes_pesosaida"), tipo);
    linha(QStringLiteral("Quantidade em Metros : ") +
          W(Quantidades::metrosCubicos(numero("prd_densidade"), liq, numero("pes_PesoEmbalagem"))) +
          QStringLiteral(" m3"));
}

void LayoutTicket::verificacao()
{
    // Under the weights, on every layout (40 columns included): whoever holds
    // the ticket can check it against the audit log.
    const QString& codigo = m_estado.codigoVerificacao;
    const QString texto = QStringLiteral("Codigo de verificacao: ") +
                          (codigo.isEmpty() ? QStringLiteral("(sem auditoria)") : codigo);
    linha(texto);
    if (codigo.isEmpty() || !m_job.Windows.PrintForWindows) {
        return;
    }
    // Drawn pages (the system printer, the PDF) also carry it as a QR code
    // of the number and the code, beside this line and the blank ones below.
    MarcaQR qr;
    qr.ancora = texto;
    qr.conteudo = QStringLiteral("VIGA %1 %2").arg(campo("Pes_Codigo").trimmed(), codigo);
    qr.coluna = m_cfg.ticket40 ? 36 : 40;
    if (std::none_of(m_job.CodigosQR.cbegin(), m_job.CodigosQR.cend(),
                     [&](const MarcaQR& m) { return m.ancora == texto; })) {
        m_job.CodigosQR.append(qr);
    }
    for (int i = 1; i < qr.linhas; ++i) {
        linha(QString());
    }
}

void LayoutTicket::fechamento()
{
    const QString obs = m_estado.saida ? campo("PES_OBSSaida") : campo("pes_obs");
    linha(QString());
    if (m_cfg.ticket40) {
        if (!m_cfg.sintetico) {
            linha(QStringLiteral("Operador da Balanca:___________________"));
            linha(QString());
            linha(QStringLiteral("Motorista..........:___________________"));
            linha(QString());
            linha(QString());
            linha(QStringLiteral("Obs:___________________________________ "));
            linha(QString());
            linha(QString());
            if (m_cfg.supervisor) {
                linha(QStringLiteral("    ___________________________________"));
                linha(QStringLiteral("             Supervisor"));
            }
        }
        for (int i = 0; i < 8; ++i) {
            linha(QString());
        }
        return;
    }
    if (m_cfg.sintetico) {
        // The synthetic ticket shows the stored observation where the site keeps them.
        if (m_cfg.pesagemObs) {
            linhaLonga(QStringLiteral("Obs.:") + obs);
        }
        return;
    }
    linha(QStringLiteral("Operador da Balanca...:________________________ Motorista:  ____________________"));
    linha(QString());
    linha(QString());
    if (m_cfg.pesagemObs) {
        linhaLonga(QStringLiteral("Obs.:") + obs);
    } else {
        linha(QStringLiteral(
            "Observacao:_____________________________________________________________________"));
    }
    linha(m_cfg.pesoEmbalagem == 1 && numero("pes_PesoEmbalagem") > Decimal()
              ? QStringLiteral("***PESO LIQUIDO JA DESCONTADO O PESO DA EMBALAGEM***")
              : QString());
    linha(QString());
    if (m_cfg.supervisor) {
        texto(QStringLiteral("___________________________________"), 25, true);
        texto(QStringLiteral("             Supervisor"), 25, true);
    }
}

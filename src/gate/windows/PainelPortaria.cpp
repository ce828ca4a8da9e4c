// SPDX-License-Identifier: GPL-3.0-or-later
#include "PainelPortaria.h"

#include "Portaria.h"
#include "SessaoAtual.h"

#include <QGridLayout>
#include <QPushButton>
#include <QShortcut>

PainelPortaria::PainelPortaria(Portaria* portaria, QWidget* parent)
    : QGroupBox(QStringLiteral("Portaria"), parent), m_portaria(portaria)
{
    setObjectName(QStringLiteral("PainelPortaria"));
    if (!m_portaria || !m_portaria->modulo().configurado()) {
        hide();
        return;
    }
    auto* grade = new QGridLayout(this);
    const struct {
        SaidaPortaria saida;
        const char* nome;
        const char* texto;
    } saidas[] = {
        {SaidaPortaria::SinalEntradaVermelho, "BtnEntradaVermelho", "Entrada vermelho"},
        {SaidaPortaria::SinalEntradaVerde, "BtnEntradaVerde", "Entrada verde"},
        {SaidaPortaria::SinalSaidaVermelho, "BtnSaidaVermelho", "Saída vermelho"},
        {SaidaPortaria::SinalSaidaVerde, "BtnSaidaVerde", "Saída verde"},
        {SaidaPortaria::CancelaEntrada, "BtnCancelaEntrada", "Cancela entrada"},
        {SaidaPortaria::CancelaSaida, "BtnCancelaSaida", "Cancela saída"},
    };
    int n = 0;
    for (const auto& s : saidas) {
        ++n;
        if (m_portaria->modulo().bobina(s.saida) < 0) {
            continue; // not wired
        }
        const QKeySequence tecla(QStringLiteral("Ctrl+%1").arg(n));
        auto* b = new QPushButton(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(s.texto),
                                                                tecla.toString(QKeySequence::NativeText)),
                                  this);
        b->setObjectName(QLatin1String(s.nome));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setToolTip(ModuloPortaria::nomeSaida(s.saida));
        const SaidaPortaria saida = s.saida;
        // the click itself toggles the check; the state shown is the module's wanted one
        connect(b, &QPushButton::clicked, this, [this, saida] { alterna(saida); });
        auto* atalho = new QShortcut(tecla, parent ? parent : this);
        atalho->setContext(Qt::WindowShortcut);
        connect(atalho, &QShortcut::activated, this, [this, saida] { alterna(saida); });
        grade->addWidget(b, (n - 1) / 2, (n - 1) % 2);
        m_botoes.insert(int(saida), b);
    }
    // every output the sequence or this panel sets is shown as it should be now
    connect(&m_portaria->modulo(), &ModuloPortaria::escreveBobina, this, &PainelPortaria::mostraEstado);
    mostraEstado();
}

void PainelPortaria::alterna(SaidaPortaria saida)
{
    m_portaria->sequencia().forca(saida, !m_portaria->modulo().ligada(saida), SessaoAtual.UsuarioLogado);
    mostraEstado();
}

void PainelPortaria::mostraEstado()
{
    for (auto it = m_botoes.cbegin(); it != m_botoes.cend(); ++it) {
        it.value()->setChecked(m_portaria->modulo().ligada(SaidaPortaria(it.key())));
    }
}

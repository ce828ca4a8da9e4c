// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MensagensCadastro.h"
#include "TJanela.h"

#include <QHash>
#include <QVariant>
#include <functional>
#include <optional>
#include <stdexcept>

class QTableView;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

// What a picker hands back: the list's row that was current when the window
// closed.
struct Escolha {
    // The window's code column as a 64-bit number; 0 when the code holds
    // anything but digits (alphanumeric product codes: read texto() instead).
    qint64 codigo = 0;
    // A column of the row as the windows show it ("" for a column the list lacks).
    QString texto(const QString& coluna) const { return textos.value(coluna.toUpper()); }
    // A column of the row as the database gave it (null for a column the list lacks).
    QVariant valor(const QString& coluna) const { return valores.value(coluna.toUpper()); }

    QHash<QString, QString> textos;   // by column name in upper case
    QHash<QString, QVariant> valores; // by column name in upper case
};

// The base registry window: records browsed in a grid, created with "&Novo",
// changed after a double click, saved, cancelled or deleted. EstadoCadastro:
// 0 inserting, 1 editing, 3 browsing.
//
// Every registry window is also a picker, by one contract:
//
//   TFrmCadCidade cidades(this);
//   if (const std::optional<Escolha> e = cidades.escolher()) {
//       e->codigo;                                  // CID_CODIGO, 64-bit
//       e->texto(QStringLiteral("CID_DESCRICAO"));  // any column of the chosen row
//   }
//
// - escolher() opens the window modally as a picker: "&Novo", "Sal&var",
//   "&Cancelar" and "&Excluir" hidden and disabled, the exit button reads "&OK"
//   and closes at once, the list takes the focus and shows about ten rows with
//   every column title; each window hides its own fields (aoVirarSeletor()).
//   To set a picker up before showing it, call abrirComoSeletor(), configure,
//   then exec() and escolha().
// - In a picker, Enter, Space or a double click on the list choose its current
//   row and close the window. "&OK", Esc and closing the window close it too.
// - Whatever closed it, the window hands back the list's current row at that
//   moment (escolha(), also after a full registry was opened with exec());
//   nothing when the list was empty. The window closes its list as it closes.
class TFrmPadrao : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmPadrao(QWidget* parent = nullptr);

    int EstadoCadastro = 3;

    QPushButton* BtnNovo;
    QPushButton* BtnSalvar;
    QPushButton* BtnCancelar;
    QPushButton* btnExcluir;
    QPushButton* btnSair;

    // Sets the buttons for a state (Novo, Excluir and Sair only in 3; Salvar
    // and Cancelar only in 0 and 1).
    void ajustaBotoes(int estado);

    // The picker contract (see above).
    void abrirComoSeletor();
    bool comoSeletor() const { return m_seletor; }
    std::optional<Escolha> escolher();
    std::optional<Escolha> escolha() const { return m_escolha; }

    // Before the first show: the list sized to about ten rows and every column title.
    void setVisible(bool visivel) override;

public Q_SLOTS:
    void done(int r) override;

protected:
    // Where each window puts its fields and grid.
    QVBoxLayout* corpo() const { return m_corpo; }
    QHBoxLayout* barraBotoes() const { return m_barra; }

    // The window's list: the data grid its rows are browsed and chosen in, and
    // the column that holds the code. Alt+G focuses it; a double click (or
    // Space) opens its row in a registry (abreRegistro()) and chooses it in a
    // picker. The grid needs consulta() (the query) and recarregar().
    // `paginas`: when the code column is unique in the list, the list is read
    // page by page on it (TQuery::Paginar), so a long registry opens at once.
    enum class Leitura { Inteira, Paginas };
    template <class Grade>
    void defineLista(Grade* grade, const QString& colunaCodigo, Leitura leitura = Leitura::Inteira);
    QTableView* lista() const { return m_lista; }
    // A list wide enough for every column title (up to most of the screen)
    // and tall enough for `linhas` rows (the window's list gets this when shown).
    static void dimensionaLista(QTableView* lista, int linhas);
    // (Re)opens the list's query as it stands (SQL and parameters set) and
    // shows its rows; a database error is reported and the list stays empty.
    void abreLista() { m_abreLista(); }

    // A double click or Space on the list of a registry (not a picker).
    virtual void abreRegistro() {}
    // The window's own part of becoming a picker: hide its fields.
    virtual void aoVirarSeletor() {}
    // The window's own part of being shown the first time (configuration read,
    // list opened), after the buttons were set for state 3.
    virtual void aoMostrar() {}

    virtual void BtnNovoClick();
    virtual void BtnSalvarClick();
    virtual void BtnCancelarClick();
    virtual void btnExcluirClick();
    virtual void btnSairClick();

    void showEvent(QShowEvent* e) override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

private:
    void registraLista(QTableView* grade, std::function<std::optional<Escolha>()> leLinha,
                       std::function<void()> abre, std::function<void()> fecha);
    void escolhe();

    QVBoxLayout* m_corpo;
    QHBoxLayout* m_barra;
    bool m_mostrada = false;
    bool m_seletor = false;
    QTableView* m_lista = nullptr;
    std::function<std::optional<Escolha>()> m_leLinha;
    std::function<void()> m_abreLista = [] {};
    std::function<void()> m_fechaLista;
    std::optional<Escolha> m_escolha;
    bool m_listaFechada = false;
};

template <class Grade>
void TFrmPadrao::defineLista(Grade* grade, const QString& colunaCodigo, Leitura leitura)
{
    registraLista(
        grade,
        [grade, colunaCodigo]() -> std::optional<Escolha> {
            const auto* q = grade->consulta();
            if (!q || !q->Active() || q->IsEmpty() || q->Eof()) {
                return std::nullopt;
            }
            Escolha e;
            for (int i = 0; i < q->FieldCount(); ++i) {
                const QString coluna = q->record().fieldName(i);
                e.valores.insert(coluna.toUpper(), q->FieldByName(coluna));
                e.textos.insert(coluna.toUpper(), q->AsString(coluna));
            }
            e.codigo = e.texto(colunaCodigo).trimmed().toLongLong();
            return e;
        },
        [grade, colunaCodigo, leitura] {
            if (auto* q = grade->consulta()) {
                try {
                    if (leitura == Leitura::Paginas) {
                        q->Paginar({colunaCodigo});
                    }
                    q->Open();
                } catch (const std::exception& e) { // ErroBanco: what() is the database's text
                    MensagensCadastro::avisaErro(QString::fromUtf8(e.what()));
                }
            }
            grade->recarregar();
        },
        [grade] {
            if (auto* q = grade->consulta()) {
                q->Close();
            }
            grade->recarregar();
        });
    connect(grade, &Grade::duploClique, this, [this] {
        if (m_seletor) {
            escolhe();
        } else {
            abreRegistro();
        }
    });
}

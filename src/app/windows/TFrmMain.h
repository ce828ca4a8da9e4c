// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Comandos.h"
#include "MenusConfig.h"

#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class Portaria;
class QToolButton;
class TDM;

// The main window: start sequence, menus, tool bar, status bar and clock.
// Every command opens a modal window owned by its own subsystem.
class TFrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFrmMain(TDM& dm, QWidget* parent = nullptr);

    // 0 normally; 1 when the start-up decided to close without asking.
    int tag = 0;

    // Ends the program (the start sequence's failures, a cancelled login).
    // The program quits the application; tests watch it.
    std::function<void()> aoEncerrar;
    bool encerrado() const { return m_encerrado; }

    // Runs the start sequence (the program does it when the window is first shown;
    // tests of the commands alone turn it off).
    void iniciar();
    bool iniciarAoMostrar = true;

    QAction* acao(const QString& nome) const;
    QLabel* painel(int i) const { return m_paineis.value(i); }
    // The gate of the session, once the start sequence started it.
    Portaria* portaria() const { return m_portaria; }
    QMenu* menuCadastros() const { return m_menuCadastros; }
    QMenu* menuPopupCadastros() const { return m_popupCadastros; }
    const QPixmap& imagemFundo() const { return m_fundo; }
    bool modoSql() const;

    // Background picture: the [ui] wall entry of viga.ini ("none": no picture).
    void carregaFundo(const QString& arquivo);
    // The picture viga.ini names (section and key in any case), as at the start.
    void carregaFundoConfigurado();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void criaAcoes();
    void criaMenus();
    void criaBarraFerramentas();
    void criaBarraStatus();
    void adaptaMenus();
    void encerrar();
    void alternaSql();
    void tique();
    void mostraFundo();
    void iniciaPortaria();

    // Opens a window hiding the background picture while it is up.
    void abre(const std::function<void()>& janela);
    bool confere(bool permitido);

    // the commands
    void executa(const Comandos::Comando& c);
    void cadastroEmissor(bool inicial);
    void copiaSeguranca();
    void imagemDeFundo();
    void removeImagemDeFundo();
    void sobre();
    void paginaInicial();

    TDM& m_dm;
    QHash<QString, QAction*> m_acoes;
    QMenu* m_menuCadastros = nullptr;
    QMenu* m_popupCadastros = nullptr;
    QMenu* m_popupFundo = nullptr;
    QLabel* m_areaFundo = nullptr;
    QList<QLabel*> m_paineis;
    QTimer* m_relogio = nullptr;
    QLabel* m_painelPortaria = nullptr;
    Portaria* m_portaria = nullptr; // the gate of the session
    QPixmap m_fundo;
    bool m_fundoVisivel = true;
    bool m_iniciado = false;
    bool m_encerrado = false;
    MenusConfig m_menus;
};

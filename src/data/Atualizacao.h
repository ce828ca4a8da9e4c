#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TDM;

// One upgrade step: a tag and its statements, as the upgrade log knows them.
struct PassoAtualizacao {
    QString tag;
    QStringList comandos;
};

// The schema upgrade of older databases: the upgrade-log bootstrap run at
// every start, and the fifty steps, applied in order in one transaction.
class Atualizacao
{
public:
    static constexpr const char* UltimaTag = "070611b";

    static const std::vector<PassoAtualizacao>& passos();

    explicit Atualizacao(TDM& dm) : m_dm(dm) {}

    // Creates the upgrade log and the marker column when the configuration
    // table lacks cfg_atualiza. Returns the database's error text on failure
    // (rolled back), empty otherwise.
    QString bootstrap();

    // True when the newest step is logged.
    bool atualizado();

    // Applies every step not yet logged. `progresso` is told the percentage
    // and the tag of each step as it goes. On failure everything of the run is
    // rolled back and false is returned with the step's tag and the
    // database's text in `tagErro` / `erro`.
    bool executar(const std::function<void(int, const QString&)>& progresso, QString* tagErro, QString* erro);

    // A statement of a step in this engine's dialect; empty when the engine
    // has nothing to do for it (widening a column on SQLite).
    QString traduz(const QString& comando) const;

private:
    bool aplicado(const QString& tag);
    bool temColunaConfig(const QString& coluna);
    void executa(const QString& sql);

    TDM& m_dm;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One upgrade step: a tag and its statements, as the upgrade log knows them.
struct PassoAtualizacao {
    QString tag;
    QStringList comandos;
};

// The fifty upgrade steps of older databases, in the order they are tested,
// with their statements as the upgrade log has always known them (the engine's
// dialect is applied when they run).
namespace PassosAtualizacao
{

// The newest tag: the start sequence tests it.
inline constexpr const char* UltimaTag = "070611b";

const std::vector<PassoAtualizacao>& passos();

} // namespace PassosAtualizacao

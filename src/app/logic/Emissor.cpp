// SPDX-License-Identifier: GPL-3.0-or-later
#include "Emissor.h"

#include "Cadastros.h"
#include "TDM.h"

bool Emissor::ler(TDM& dm, QString* nome)
{
    dm.QR_EXEC.Clear();
    dm.QR_EXEC.Add(QStringLiteral("select cad_razao from cadastrao where cad_tipo=:tipo"));
    dm.QR_EXEC.setParam(QStringLiteral("tipo"), int(Cadastros::Emissor));
    dm.QR_EXEC.Open();
    const bool existe = !dm.QR_EXEC.IsEmpty();
    if (existe && nome) {
        *nome = dm.QR_EXEC.AsString(QStringLiteral("cad_razao")).left(60);
    }
    dm.QR_EXEC.Close();
    return existe;
}

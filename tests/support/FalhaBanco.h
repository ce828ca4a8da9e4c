// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BancoTeste.h"

#include <QString>

// Makes the database refuse every INSERT, UPDATE or DELETE (`evento`) on a
// table with the message `texto`, on either engine: a failing save or delete
// that the windows must roll back and report.
inline void falharEm(BancoTeste& b, const QString& tabela, const QString& evento, const QString& texto)
{
    const QString nome = QStringLiteral("falha_%1_%2").arg(tabela, evento).toLower();
    if (b.postgres()) {
        b.exec(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION '%2'; END $$ "
                              "LANGUAGE plpgsql")
                   .arg(nome, texto));
        b.exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %1()")
                   .arg(nome, evento, tabela));
    } else {
        b.exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, '%4'); END")
                   .arg(nome, evento, tabela, texto));
    }
}

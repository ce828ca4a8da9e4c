// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigPortaria.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>

class QTimer;
typedef struct _modbus modbus_t;

// The exchanges with the gate module, in the module's thread (ModuloPortaria
// owns it): connects, writes the coils asked for, reads the sensors every
// 200 ms. Each exchange waits at most EsperaMs for the answer. A failure
// closes the link; it is opened again after 1, 2, 5, then every 10 s, and
// every coil is then written as last asked.
class EnlaceModbus : public QObject
{
    Q_OBJECT
public:
    explicit EnlaceModbus(const ConfigPortaria& config);
    ~EnlaceModbus() override;

public Q_SLOTS:
    void inicia();
    void escreve(int bobina, bool ligada);
    void encerra();

Q_SIGNALS:
    void situacao(bool respondendo, const QString& falha);
    void entradas(bool fotocelulaEntrada, bool fotocelulaSaida, bool lacoEntrada);

private:
    void ciclo();
    bool conecta();
    void falhou(const QString& oque);
    void fecha();
    bool leEntrada(int endereco, bool* valor);

    ConfigPortaria m_config;
    modbus_t* m_ctx = nullptr;
    QTimer* m_ciclo = nullptr;
    // Each coil as last asked, in the order asked: written in that order.
    QList<QPair<int, bool>> m_desejadas;
    QHash<int, bool> m_escritas; // what the module holds, as far as we know
    bool m_respondendo = false;
    bool m_disseSituacao = false;
    int m_tentativas = 0;
    QElapsedTimer m_desdeFalha;
};

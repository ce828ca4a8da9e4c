// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LinhaSerial.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <termios.h>

enum TPortNumber {
    pnCustom,
    pnCOM1,
    pnCOM2,
    pnCOM3,
    pnCOM4,
    pnCOM5,
    pnCOM6,
    pnCOM7,
    pnCOM8,
    pnCOM9,
    pnCOM10,
    pnCOM11,
    pnCOM12,
    pnCOM13,
    pnCOM14,
    pnCOM15,
    pnCOM16
};

enum TPacketMode { pmDiscard, pmPass };

// Device path of COMn: viga.ini [serial] COMn=, else /dev/ttyS(n-1).
QString CaminhoPortaCom(int numero);

// The serial port the weighing window owns. Opens a serial device (or a
// pseudo-terminal) through termios and polls it on the thread that owns the
// object with a QTimer: every tick hands whatever arrived since the previous
// tick to OnReceiveData as one chunk, without reassembling frames.
class TCommPortDriver : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString PortName READ PortName WRITE setPortName)
    Q_PROPERTY(quint16 PollingDelay READ PollingDelay WRITE setPollingDelay)
    Q_PROPERTY(quint32 InBufSize READ InBufSize WRITE setInBufSize)
    Q_PROPERTY(quint32 OutBufSize READ OutBufSize WRITE setOutBufSize)
    Q_PROPERTY(bool EnableDTROnOpen READ EnableDTROnOpen WRITE setEnableDTROnOpen)

public:
    explicit TCommPortDriver(QObject* parent = nullptr);
    ~TCommPortDriver() override;

    // Opens PortName and applies the line settings. True when already open
    // (nothing changes then, not even a new PortName).
    bool Connect();
    void Disconnect();
    bool Connected() const { return m_fd >= 0; }
    // A driver of this program holds the device open (the scale read all
    // session): opening it again would find it in exclusive use.
    static bool abertaNoPrograma(const QString& nome);

    TPortNumber Port() const { return m_port; }
    // pnCOMn sets PortName from the [serial] mapping; pnCustom leaves it. Ignored while open.
    void setPort(TPortNumber port);
    QString PortName() const { return m_portName; }
    void setPortName(const QString& nome); // ignored while open

    TBaudRate BaudRate() const { return m_linha.baudRate; }
    void setBaudRate(TBaudRate v);
    quint32 BaudRateValue() const { return m_linha.baudRateValue; } // the speed of brCustom
    void setBaudRateValue(quint32 v);
    TDataBits DataBits() const { return m_linha.dataBits; }
    void setDataBits(TDataBits v);
    TStopBits StopBits() const { return m_linha.stopBits; }
    void setStopBits(TStopBits v);
    TParity Parity() const { return m_linha.parity; }
    void setParity(TParity v);
    THwFlowControl HwFlow() const { return m_linha.hwFlow; }
    void setHwFlow(THwFlowControl v);
    TSwFlowControl SwFlow() const { return m_linha.swFlow; }
    void setSwFlow(TSwFlowControl v);

    quint32 InBufSize() const { return m_inBufSize; }
    void setInBufSize(quint32 v); // clamped to 128..8192, ignored while open
    quint32 OutBufSize() const { return m_outBufSize; }
    void setOutBufSize(quint32 v); // clamped to 128..8192, ignored while open

    qint16 PacketSize() const { return m_packetSize; }
    void setPacketSize(qint16 v) { m_packetSize = v; }
    qint32 PacketTimeout() const { return m_packetTimeout; }
    void setPacketTimeout(qint32 v) { m_packetTimeout = v; }
    TPacketMode PacketMode() const { return m_packetMode; }
    void setPacketMode(TPacketMode v) { m_packetMode = v; }

    quint16 PollingDelay() const { return m_pollingDelay; }
    void setPollingDelay(quint16 ms); // below 5 becomes 5; restarts the poll when open

    bool EnableDTROnOpen() const { return m_enableDtr; }
    void setEnableDTROnOpen(bool v) { m_enableDtr = v; }
    quint32 OutputTimeout() const { return m_outputTimeout; }
    void setOutputTimeout(quint32 v) { m_outputTimeout = v; }
    quint32 InputTimeout() const { return m_inputTimeout; }
    void setInputTimeout(quint32 v) { m_inputTimeout = v; }

    // The line settings as they are, read back from the device after the last apply.
    const termios& LinhaAplicada() const { return m_lida; }
    // Ticks that found the device in error (hung up, gone); they are skipped.
    quint64 FalhasLeitura() const { return m_falhas; }
    // The poll timer's current period, 0 when it is not running.
    int PeriodoAtivo() const { return m_timer.isActive() ? m_timer.interval() : 0; }

Q_SIGNALS:
    // One chunk: `data` points into the driver's receive buffer, which the next
    // tick reuses, so a receiver copies what it keeps. Connect it directly.
    void OnReceiveData(TCommPortDriver* sender, const char* data, int count);

private:
    bool aplicaLinha();
    void sinaisModem();
    void lePorta();

    int m_fd = -1;
    TPortNumber m_port = pnCustom;
    QString m_portName = QStringLiteral("/dev/ttyS1");
    ParametrosLinha m_linha;
    quint32 m_inBufSize = 2048;
    quint32 m_outBufSize = 2048;
    qint16 m_packetSize = -1;
    qint32 m_packetTimeout = -1;
    TPacketMode m_packetMode = pmDiscard;
    quint16 m_pollingDelay = 50;
    bool m_enableDtr = true;
    quint32 m_outputTimeout = 500;
    quint32 m_inputTimeout = 200;

    std::unique_ptr<char[]> m_buffer;
    QTimer m_timer;
    termios m_lida{};
    quint64 m_falhas = 0;
};

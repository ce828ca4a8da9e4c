// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCommPortDriver.h"

#include "ArquivoIni.h"

#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace
{
// The devices this program holds open (drivers live on the user-interface thread).
QStringList& abertas()
{
    static QStringList lista;
    return lista;
}
} // namespace

bool TCommPortDriver::abertaNoPrograma(const QString& nome)
{
    return abertas().contains(nome);
}

QString CaminhoPortaCom(int numero)
{
    const QString caminho =
        ArquivoIni::ler(QStringLiteral("serial"), QStringLiteral("COM%1").arg(numero)).toString().trimmed();
    if (!caminho.isEmpty()) {
        return caminho;
    }
    return QStringLiteral("/dev/ttyS%1").arg(numero - 1);
}

TCommPortDriver::TCommPortDriver(QObject* parent) : QObject(parent), m_buffer(new char[m_inBufSize])
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TCommPortDriver::lePorta);
}

TCommPortDriver::~TCommPortDriver()
{
    Disconnect();
}

bool TCommPortDriver::Connect()
{
    if (Connected()) {
        return true;
    }
    const QByteArray caminho = m_portName.toLocal8Bit();
    const int fd = ::open(caminho.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    if (!isatty(fd)) {
        ::close(fd);
        return false;
    }
    // Exclusive use; a process with CAP_SYS_ADMIN or some pseudo-terminals may not honour it.
    if (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    if (!aplicaLinha()) {
        ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    tcflush(m_fd, TCIOFLUSH);
    m_timer.start(m_pollingDelay);
    abertas().append(m_portName);
    return true;
}

void TCommPortDriver::Disconnect()
{
    if (!Connected()) {
        return;
    }
    m_timer.stop();
    // The exclusive flag belongs to the terminal, not to our descriptor: clear it so
    // that a later open succeeds while another descriptor keeps the terminal alive.
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    abertas().removeOne(m_portName);
}

void TCommPortDriver::setPort(TPortNumber port)
{
    if (Connected()) {
        return;
    }
    m_port = port;
    if (port >= pnCOM1 && port <= pnCOM16) {
        m_portName = CaminhoPortaCom(int(port));
    }
}

void TCommPortDriver::setPortName(const QString& nome)
{
    if (!Connected()) {
        m_portName = nome;
    }
}

// The line setters store the value and, with the port open, apply it at once.
// A refused apply leaves the port open with its previous line settings.
#define VIGA_SETTER_LINHA(Nome, Tipo, campo)                                                                 \
    void TCommPortDriver::set##Nome(Tipo v)                                                                  \
    {                                                                                                        \
        m_linha.campo = v;                                                                                   \
        if (Connected()) {                                                                                   \
            aplicaLinha();                                                                                   \
        }                                                                                                    \
    }
VIGA_SETTER_LINHA(BaudRate, TBaudRate, baudRate)
VIGA_SETTER_LINHA(BaudRateValue, quint32, baudRateValue)
VIGA_SETTER_LINHA(DataBits, TDataBits, dataBits)
VIGA_SETTER_LINHA(StopBits, TStopBits, stopBits)
VIGA_SETTER_LINHA(Parity, TParity, parity)
VIGA_SETTER_LINHA(HwFlow, THwFlowControl, hwFlow)
VIGA_SETTER_LINHA(SwFlow, TSwFlowControl, swFlow)
#undef VIGA_SETTER_LINHA

void TCommPortDriver::setInBufSize(quint32 v)
{
    if (Connected()) {
        return;
    }
    v = std::clamp<quint32>(v, 128, 8192);
    if (v != m_inBufSize) {
        m_inBufSize = v;
        m_buffer.reset(new char[m_inBufSize]);
    }
}

void TCommPortDriver::setOutBufSize(quint32 v)
{
    if (!Connected()) {
        m_outBufSize = std::clamp<quint32>(v, 128, 8192);
    }
}

void TCommPortDriver::setPollingDelay(quint16 ms)
{
    ms = std::max<quint16>(ms, 5);
    if (ms == m_pollingDelay) {
        return;
    }
    m_pollingDelay = ms;
    if (Connected()) {
        m_timer.stop();
        m_timer.start(m_pollingDelay);
    }
}

namespace
{

// Raises or lowers a modem-control line. Pseudo-terminals (and some adapters)
// refuse these requests with ENOTTY or EINVAL; that is not a failure.
bool LinhaModem(int fd, int linha, bool ligar)
{
    if (ioctl(fd, ligar ? TIOCMBIS : TIOCMBIC, &linha) == 0) {
        return true;
    }
    return errno == ENOTTY || errno == EINVAL;
}

} // namespace

bool TCommPortDriver::aplicaLinha()
{
    const TermiosLinha alvo = MontaTermios(m_linha);
    // The C library reports EINVAL when the device kept another character size or
    // parity than asked, although it took everything else: a pseudo-terminal always
    // keeps 8 data bits without parity. The read-back below decides.
    if (tcsetattr(m_fd, TCSANOW, &alvo.tio) != 0 && errno != EINVAL) {
        return false;
    }
    if (alvo.velocidadeEspecial && !AplicaVelocidadeEspecial(m_fd, alvo.velocidade)) {
        return false;
    }
    if (tcgetattr(m_fd, &m_lida) != 0) {
        return false;
    }
    // Speed, handshakes, raw mode and the read timing must be as asked; size and
    // parity may differ (pseudo-terminal, a UART without mark/space drops CMSPAR).
    constexpr tcflag_t formato = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    const bool igual = (alvo.velocidadeEspecial || cfgetospeed(&m_lida) == cfgetospeed(&alvo.tio)) &&
                       (m_lida.c_cflag & ~(formato | CBAUD | CBAUDEX | CIBAUD)) ==
                           (alvo.tio.c_cflag & ~(formato | CBAUD | CBAUDEX | CIBAUD)) &&
                       m_lida.c_iflag == alvo.tio.c_iflag && m_lida.c_lflag == alvo.tio.c_lflag &&
                       m_lida.c_cc[VMIN] == 0 && m_lida.c_cc[VTIME] == 0;
    if (!igual) {
        return false;
    }
    // DTR as the open asks; RTS held up for "RTS on", left to the handshake for
    // RTS/CTS, and dropped without hardware flow.
    if (!LinhaModem(m_fd, TIOCM_DTR, m_enableDtr)) {
        return false;
    }
    if (m_linha.hwFlow != hfRTSCTS && !LinhaModem(m_fd, TIOCM_RTS, m_linha.hwFlow == hfNONERTSON)) {
        return false;
    }
    return tcflush(m_fd, TCIOFLUSH) == 0;
}

void TCommPortDriver::lePorta()
{
    if (!Connected()) {
        return;
    }
    int disponiveis = 0;
    if (ioctl(m_fd, FIONREAD, &disponiveis) != 0) {
        // Hung up or gone (EIO, ENXIO): skip this tick, the next one tries again.
        ++m_falhas;
        return;
    }
    if (disponiveis <= 0) {
        return;
    }
    const size_t pedir = std::min<size_t>(size_t(disponiveis), m_inBufSize);
    const ssize_t lidos = ::read(m_fd, m_buffer.get(), pedir);
    if (lidos <= 0) {
        if (lidos < 0 && errno != EAGAIN && errno != EINTR) {
            ++m_falhas;
        }
        return;
    }
    Q_EMIT OnReceiveData(this, m_buffer.get(), int(lidos));
}

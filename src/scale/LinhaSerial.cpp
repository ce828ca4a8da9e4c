// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinhaSerial.h"

#include <cstring>

uint32_t VelocidadeBaud(TBaudRate baud, uint32_t valorCustom)
{
    switch (baud) {
    case brCustom:
        return valorCustom;
    case br110:
        return 110;
    case br300:
        return 300;
    case br600:
        return 600;
    case br1200:
        return 1200;
    case br2400:
        return 2400;
    case br4800:
        return 4800;
    case br9600:
        return 9600;
    case br14400:
        return 14400;
    case br19200:
        return 19200;
    case br38400:
        return 38400;
    case br56000:
        return 56000;
    case br57600:
        return 57600;
    case br115200:
        return 115200;
    case br128000:
        return 128000;
    case br256000:
        return 256000;
    }
    return 9600;
}

namespace
{

// The Bnnn constant of a speed, B0 when there is none.
speed_t ConstanteVelocidade(uint32_t v)
{
    switch (v) {
    case 50:
        return B50;
    case 75:
        return B75;
    case 110:
        return B110;
    case 134:
        return B134;
    case 150:
        return B150;
    case 200:
        return B200;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 1800:
        return B1800;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 500000:
        return B500000;
    case 576000:
        return B576000;
    case 921600:
        return B921600;
    case 1000000:
        return B1000000;
    default:
        return B0;
    }
}

} // namespace

TermiosLinha MontaTermios(const ParametrosLinha& p)
{
    TermiosLinha r;
    termios& t = r.tio;
    std::memset(&t, 0, sizeof t);

    // Raw input and output; parity is generated and expected on the wire but not checked.
    t.c_iflag = IGNBRK;
    t.c_oflag = 0;
    t.c_lflag = 0;
    t.c_cflag = CLOCAL | CREAD;

    switch (p.dataBits) {
    case db5BITS:
        t.c_cflag |= CS5;
        break;
    case db6BITS:
        t.c_cflag |= CS6;
        break;
    case db7BITS:
        t.c_cflag |= CS7;
        break;
    case db8BITS:
    default:
        t.c_cflag |= CS8;
        break;
    }

    switch (p.parity) {
    case ptODD:
        t.c_cflag |= PARENB | PARODD;
        break;
    case ptEVEN:
        t.c_cflag |= PARENB;
        break;
    case ptMARK:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case ptSPACE:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    case ptNONE:
    default:
        break;
    }

    if (p.stopBits == sb2BITS || p.stopBits == sb1HALFBITS) {
        t.c_cflag |= CSTOPB;
    }
    if (p.hwFlow == hfRTSCTS) {
        t.c_cflag |= CRTSCTS;
    }
    if (p.swFlow == sfXONXOFF) {
        t.c_iflag |= IXON | IXOFF;
    }

    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSTART] = 17;
    t.c_cc[VSTOP] = 19;

    r.velocidade = VelocidadeBaud(p.baudRate, p.baudRateValue);
    speed_t c = ConstanteVelocidade(r.velocidade);
    if (c == B0) {
        // Placeholder until termios2 sets the exact rate.
        r.velocidadeEspecial = true;
        c = B38400;
    }
    cfsetispeed(&t, c);
    cfsetospeed(&t, c);
    return r;
}

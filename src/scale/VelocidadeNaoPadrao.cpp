// SPDX-License-Identifier: GPL-3.0-or-later
// Kept apart from the other sources: <asm/termbits.h> (termios2) clashes with <termios.h>.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cstdint>
#include <sys/ioctl.h>

bool AplicaVelocidadeEspecial(int fd, uint32_t velocidade)
{
    struct termios2 t2;
    if (ioctl(fd, TCGETS2, &t2) != 0) {
        return false;
    }
    t2.c_cflag &= ~CBAUD;
    t2.c_cflag |= BOTHER;
    t2.c_cflag &= ~(CBAUD << IBSHIFT);
    t2.c_cflag |= BOTHER << IBSHIFT;
    t2.c_ispeed = velocidade;
    t2.c_ospeed = velocidade;
    return ioctl(fd, TCSETS2, &t2) == 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Indicador.h"

#include <cmath>
#include <cstdio>

namespace
{

constexpr double kVazio = 3;
constexpr double kEntrando = 5;
constexpr double kAcomodando = 3;
constexpr double kSaindo = 4;
constexpr double kNegativo = 3;
constexpr double kForaDeFaixa = 2;

// Deterministic wobble of a moving truck (no random state: the same second gives the same weight).
double Oscilacao(double t)
{
    return std::sin(t * 7.3) * 0.6 + std::sin(t * 17.1) * 0.4;
}

} // namespace

double DuracaoCiclo(const ConfigIndicador& c)
{
    double d = kVazio + kEntrando + kAcomodando + c.tempoEstavel + kSaindo;
    if (c.negativo) {
        d += kNegativo;
    }
    if (c.foraDeFaixa) {
        d += kForaDeFaixa;
    }
    return d;
}

Leitura Perfil(const ConfigIndicador& c, double segundos)
{
    Leitura l;
    if (c.fixo) {
        l.valor = c.peso;
        l.estavel = true;
        return l;
    }
    double t = std::fmod(std::max(0.0, segundos), DuracaoCiclo(c));
    if (t < kVazio) {
        l.estavel = true;
        return l;
    }
    t -= kVazio;
    if (t < kEntrando) {
        // Axle by axle: the weight climbs in steps with some bounce.
        const double fracao = std::floor(t / kEntrando * 4 + 1) / 4;
        l.valor = c.peso * fracao * (1 + 0.03 * Oscilacao(t));
        return l;
    }
    t -= kEntrando;
    if (t < kAcomodando) {
        l.valor = c.peso * (1 + 0.01 * Oscilacao(t) * (1 - t / kAcomodando));
        return l;
    }
    t -= kAcomodando;
    if (t < c.tempoEstavel) {
        l.valor = c.peso;
        l.estavel = true;
        return l;
    }
    t -= c.tempoEstavel;
    if (t < kSaindo) {
        const double fracao = 1 - std::floor(t / kSaindo * 4 + 1) / 4;
        l.valor = c.peso * fracao * (1 + 0.03 * Oscilacao(t));
        return l;
    }
    t -= kSaindo;
    if (c.negativo) {
        if (t < kNegativo) {
            // The deck springs back below zero, then settles there.
            l.valor = -std::max(1.0, std::round(c.peso * 0.001));
            l.estavel = t >= 1;
            if (!l.estavel) {
                l.valor *= 1.5;
            }
            return l;
        }
        t -= kNegativo;
    }
    if (c.foraDeFaixa && t < kForaDeFaixa) {
        l.valor = 1e9;
        l.foraDeFaixa = true;
        return l;
    }
    l.estavel = true;
    return l;
}

std::string MontaQuadro(const ConfigIndicador& c, const Leitura& l)
{
    const double escala = std::pow(10.0, c.casas);
    long long contagem = std::llround(std::fabs(l.valor) * escala);
    const bool negativo = l.valor < 0 && contagem != 0;
    const bool zero = contagem == 0;
    // Field capacity: six digits for "AR" and "AR-N 6", five for "AR-N 5".
    const long long maximo = c.modelo == ModeloIndicador::ARN5 ? 99999 : 999999;
    bool fora = l.foraDeFaixa;
    if (contagem > maximo) {
        fora = true;
        contagem = maximo;
    }
    char buf[64];
    if (c.modelo == ModeloIndicador::AR) {
        char letra;
        if (fora) {
            letra = 'P';
        } else if (negativo) {
            letra = l.estavel ? 'L' : 'H';
        } else if (!l.estavel) {
            letra = 'C';
        } else {
            letra = zero ? 'F' : 'D';
        }
        std::snprintf(buf, sizeof buf, "%c%06lld\r", letra, contagem);
        return buf;
    }
    unsigned char status = 0x40;
    if (l.estavel && !fora) {
        status |= 0x04;
    }
    if (zero && l.estavel) {
        status |= 0x02;
    }
    if (negativo) {
        status |= 0x08;
    }
    if (fora) {
        status |= 0x10;
    }
    // Weight field of w characters: the digits and a decimal point.
    const int largura = c.modelo == ModeloIndicador::ARN5 ? 6 : 7;
    const auto campo = [&](long long n) {
        char f[32];
        if (c.casas == 0) {
            std::snprintf(f, sizeof f, "%0*lld.", largura - 1, n);
        } else {
            const long long div = std::llround(escala);
            std::snprintf(f, sizeof f, "%0*lld.%0*lld", largura - 1 - c.casas, n / div, c.casas, n % div);
        }
        return std::string(f);
    };
    return std::string(1, char(status)) + campo(contagem) + ' ' + campo(0) + '\r';
}

std::string Quadro(const ConfigIndicador& c, double segundos)
{
    return MontaQuadro(c, Perfil(c, segundos));
}

std::string QuadroDemanda(const ConfigIndicador& c, double segundos)
{
    Leitura l = Perfil(c, segundos);
    l.estavel = true;
    return MontaQuadro(c, l);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// viga-io-sim: a gate module (lights, barriers, sensors) as a Modbus TCP
// server on the loopback, for trying VIGA's gate and testing it without
// hardware. See kUso for the options.
#include "OpcoesFerramenta.h"

#include <QSettings>
#include <QString>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <modbus/modbus.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <vector>

namespace
{

volatile std::sig_atomic_t g_parar = 0;

void AoSinal(int)
{
    g_parar = 1;
}

const char* const kUso = R"USO(Uso: viga-io-sim [opções]

Simula o módulo de E/S da portaria (sinais, cancelas, fotocélulas e laços)
como um servidor Modbus TCP em 127.0.0.1. A primeira linha da saída padrão é
o endereço em que ele escuta (ex.: 127.0.0.1:1502); configure-o no viga.ini:
    [portaria]
    Modulo=127.0.0.1:1502

Cada mudança de bobina (saída) é escrita com a hora:
    08:40:12.345 bobina 1 ligada (SinalEntradaVerde)

Opções:
  --porta N           porta TCP (padrão 1502; 0 = uma porta livre)
  --bobinas N         quantidade de bobinas (padrão 16)
  --entradas N        quantidade de entradas discretas (padrão 16)
  --entrada N=V       valor inicial da entrada N (0 ou 1); pode repetir
  --ini ARQ           grava [portaria] Modulo=<endereço> nesse viga.ini e usa
                      os nomes das bobinas de [portaria] nas mensagens
  --duracao S         termina após S segundos
  -h, --help          mostra esta ajuda e termina
  -v, --version       mostra a versão e termina

Comandos na entrada padrão (um por linha):
  entrada N 1         liga a entrada N (ex.: fotocélula interrompida)
  entrada N 0         desliga a entrada N
  pausa               deixa de responder (um módulo que não responde)
  continua            volta a responder
  estado              mostra todas as bobinas e entradas ligadas
  sair                termina

Ctrl+C (SIGINT) ou SIGTERM encerram.
)USO";

struct Opcoes {
    int porta = 1502;
    int bobinas = 16;
    int entradas = 16;
    std::map<int, int> iniciais;
    QString ini;
    double duracao = 0;
};

[[noreturn]] void Falha(const std::string& msg)
{
    std::fprintf(stderr, "viga-io-sim: %s\n", msg.c_str());
    std::exit(2);
}

int Inteiro(const QString& texto, const char* opcao, int minimo, int maximo)
{
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok);
    if (!ok || v < minimo || v > maximo) {
        Falha(std::string("valor inválido para ") + opcao + ": " + texto.toStdString() + " (de " +
              std::to_string(minimo) + " a " + std::to_string(maximo) + ")");
    }
    return v;
}

Opcoes LeOpcoes(int argc, char** argv)
{
    Opcoes o;
    OpcoesFerramenta args("viga-io-sim", kUso, argc, argv);
    while (args.proxima()) {
        const QString& arg = args.nome();
        const auto pega = [&args] { return args.valor(); };
        if (arg == QLatin1String("--porta")) {
            o.porta = Inteiro(pega(), "--porta", 0, 65535);
        } else if (arg == QLatin1String("--bobinas")) {
            o.bobinas = Inteiro(pega(), "--bobinas", 1, 2000);
        } else if (arg == QLatin1String("--entradas")) {
            o.entradas = Inteiro(pega(), "--entradas", 1, 2000);
        } else if (arg == QLatin1String("--entrada")) {
            const QString v = pega();
            const qsizetype sinal = v.indexOf(u'=');
            if (sinal < 0) {
                Falha("--entrada espera N=V (ex.: --entrada 0=1)");
            }
            o.iniciais[Inteiro(v.left(sinal), "--entrada", 0, 1999)] =
                Inteiro(v.mid(sinal + 1), "--entrada", 0, 1);
        } else if (arg == QLatin1String("--ini")) {
            o.ini = pega();
        } else if (arg == QLatin1String("--duracao")) {
            bool ok = false;
            o.duracao = pega().replace(u',', u'.').toDouble(&ok);
            if (!ok || o.duracao < 0) {
                Falha("valor inválido para --duracao");
            }
        } else {
            Falha("opção desconhecida: " + arg.toStdString() + " (veja --help)");
        }
    }
    for (const auto& [n, v] : o.iniciais) {
        if (n >= o.entradas) {
            Falha("--entrada " + std::to_string(n) + ": há só " + std::to_string(o.entradas) + " entradas");
        }
    }
    return o;
}

std::string Hora()
{
    timeval tv;
    gettimeofday(&tv, nullptr);
    tm local;
    localtime_r(&tv.tv_sec, &local);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03ld", local.tm_hour, local.tm_min, local.tm_sec,
                  long(tv.tv_usec / 1000));
    return buf;
}

void Diz(const std::string& linha)
{
    std::printf("%s %s\n", Hora().c_str(), linha.c_str());
    std::fflush(stdout);
}

// The coil names of [portaria] (SinalEntradaVerde=1 ...), to label the changes.
std::map<int, std::string> NomesDoIni(const QString& ini)
{
    std::map<int, std::string> nomes;
    if (ini.isEmpty()) {
        return nomes;
    }
    QSettings s(ini, QSettings::IniFormat);
    for (const QString& grupo : s.childGroups()) {
        if (grupo.compare(QLatin1String("portaria"), Qt::CaseInsensitive) != 0) {
            continue;
        }
        s.beginGroup(grupo);
        for (const char* chave : {"SinalEntradaVermelho", "SinalEntradaVerde", "SinalSaidaVermelho",
                                  "SinalSaidaVerde", "CancelaEntrada", "CancelaSaida"}) {
            for (const QString& k : s.childKeys()) {
                bool ok = false;
                const int n = s.value(k).toString().toInt(&ok);
                if (ok && k.compare(QLatin1String(chave), Qt::CaseInsensitive) == 0) {
                    nomes[n] = chave;
                }
            }
        }
        s.endGroup();
    }
    return nomes;
}

void GravaEndereco(const QString& ini, const std::string& endereco)
{
    QSettings s(ini, QSettings::IniFormat);
    QString grupo = QStringLiteral("portaria");
    for (const QString& g : s.childGroups()) {
        if (g.compare(grupo, Qt::CaseInsensitive) == 0) {
            grupo = g;
        }
    }
    s.setValue(grupo + QStringLiteral("/Modulo"), QString::fromStdString(endereco));
    s.sync();
    if (s.status() != QSettings::NoError) {
        Falha("não gravou " + ini.toStdString());
    }
}

struct Simulador {
    modbus_t* ctx = nullptr;
    modbus_mapping_t* mapa = nullptr;
    int servidor = -1;
    std::vector<int> clientes;
    std::map<int, std::string> nomes;
    bool pausado = false;
    std::string pendente; // a line of standard input not yet ended

    void mudancas(const std::vector<uint8_t>& antes)
    {
        for (int i = 0; i < mapa->nb_bits; ++i) {
            if (antes[size_t(i)] == mapa->tab_bits[i]) {
                continue;
            }
            std::string linha =
                "bobina " + std::to_string(i) + (mapa->tab_bits[i] ? " ligada" : " desligada");
            const auto n = nomes.find(i);
            if (n != nomes.end()) {
                linha += " (" + n->second + ")";
            }
            Diz(linha);
        }
    }

    void atende(int fd)
    {
        uint8_t pedido[MODBUS_TCP_MAX_ADU_LENGTH];
        modbus_set_socket(ctx, fd);
        const int n = modbus_receive(ctx, pedido);
        if (n == 0) {
            return; // not for this unit
        }
        if (n < 0) {
            ::close(fd);
            std::erase(clientes, fd);
            return;
        }
        if (pausado) {
            return; // heard, never answered
        }
        const std::vector<uint8_t> antes(mapa->tab_bits, mapa->tab_bits + mapa->nb_bits);
        modbus_reply(ctx, pedido, n, mapa);
        mudancas(antes);
    }

    void comando(const std::string& linha)
    {
        char palavra[32] = {0};
        int n = -1, v = -1;
        const int lidos = std::sscanf(linha.c_str(), "%31s %d %d", palavra, &n, &v);
        const std::string p = palavra;
        if (lidos <= 0) {
            return;
        }
        if (p == "entrada" && lidos == 3 && n >= 0 && n < mapa->nb_input_bits && (v == 0 || v == 1)) {
            mapa->tab_input_bits[n] = uint8_t(v);
            Diz("entrada " + std::to_string(n) + (v ? " ligada" : " desligada"));
        } else if (p == "pausa") {
            pausado = true;
            Diz("sem resposta");
        } else if (p == "continua") {
            pausado = false;
            Diz("respondendo");
        } else if (p == "estado") {
            std::string b, e;
            for (int i = 0; i < mapa->nb_bits; ++i) {
                if (mapa->tab_bits[i]) {
                    b += " " + std::to_string(i);
                }
            }
            for (int i = 0; i < mapa->nb_input_bits; ++i) {
                if (mapa->tab_input_bits[i]) {
                    e += " " + std::to_string(i);
                }
            }
            Diz("bobinas ligadas:" + (b.empty() ? std::string(" nenhuma") : b) +
                "; entradas ligadas:" + (e.empty() ? std::string(" nenhuma") : e));
        } else if (p == "sair") {
            g_parar = 1;
        } else {
            std::fprintf(stderr,
                         "viga-io-sim: comando não entendido: %s (entrada N 0|1, pausa, continua, "
                         "estado, sair)\n",
                         linha.c_str());
        }
    }

    // Returns false at the end of standard input.
    bool leEntrada()
    {
        char buf[256];
        const ssize_t n = ::read(0, buf, sizeof buf);
        if (n <= 0) {
            return false;
        }
        pendente.append(buf, size_t(n));
        size_t fim;
        while ((fim = pendente.find('\n')) != std::string::npos) {
            comando(pendente.substr(0, fim));
            pendente.erase(0, fim + 1);
        }
        return true;
    }
};

double Agora()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

} // namespace

int main(int argc, char** argv)
{
    const Opcoes o = LeOpcoes(argc, argv);
    struct sigaction sa {
    };
    sa.sa_handler = AoSinal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulador s;
    s.ctx = modbus_new_tcp("127.0.0.1", o.porta);
    s.mapa = modbus_mapping_new(o.bobinas, o.entradas, 0, 0);
    if (!s.ctx || !s.mapa) {
        Falha(std::string("não criou o servidor: ") + modbus_strerror(errno));
    }
    for (const auto& [n, v] : o.iniciais) {
        s.mapa->tab_input_bits[n] = uint8_t(v);
    }
    s.servidor = modbus_tcp_listen(s.ctx, 8);
    if (s.servidor < 0) {
        Falha("não escutou em 127.0.0.1:" + std::to_string(o.porta) + ": " + modbus_strerror(errno));
    }
    sockaddr_in endereco{};
    socklen_t tamanho = sizeof endereco;
    getsockname(s.servidor, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
    const std::string onde = "127.0.0.1:" + std::to_string(ntohs(endereco.sin_port));
    if (!o.ini.isEmpty()) {
        GravaEndereco(o.ini, onde);
        s.nomes = NomesDoIni(o.ini);
    }
    std::printf("%s\n", onde.c_str());
    std::fflush(stdout);

    bool lerEntrada = true;
    const double inicio = Agora();
    while (!g_parar && (o.duracao <= 0 || Agora() - inicio < o.duracao)) {
        std::vector<pollfd> fds;
        fds.push_back({s.servidor, POLLIN, 0});
        fds.push_back({lerEntrada ? 0 : -1, POLLIN, 0});
        for (int c : s.clientes) {
            fds.push_back({c, POLLIN, 0});
        }
        if (poll(fds.data(), nfds_t(fds.size()), 100) <= 0) {
            continue;
        }
        if (fds[0].revents & POLLIN) {
            int servidor = s.servidor;
            const int c = modbus_tcp_accept(s.ctx, &servidor);
            if (c >= 0) {
                s.clientes.push_back(c);
            }
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            lerEntrada = s.leEntrada(); // end of input: only the options and the clients remain
        }
        for (size_t i = 2; i < fds.size(); ++i) {
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                s.atende(fds[i].fd);
            }
        }
    }
    for (int c : s.clientes) {
        ::close(c);
    }
    ::close(s.servidor);
    modbus_mapping_free(s.mapa);
    modbus_free(s.ctx);
    return 0;
}

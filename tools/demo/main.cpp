// SPDX-License-Identifier: GPL-3.0-or-later
// viga-demo FOLDER: creates, once, a demo data folder with a small sample
// (issuing company, cities, clients, suppliers, carriers, drivers, products)
// so that VIGA starts straight into its main window.
#include "ErroBanco.h"
#include "Esquema.h"
#include "LinhaComando.h"
#include "PastaDados.h"
#include "TDM.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace
{

const char* const kUso = "Uso: viga-demo [opções] PASTA\n"
                         "\n"
                         "Cria, uma única vez, uma pasta de dados do VIGA com um banco SQLite e uma\n"
                         "pequena amostra (empresa emitente, cidades, clientes, fornecedores,\n"
                         "transportadoras, motoristas e produtos). Se PASTA já contém um viga.db,\n"
                         "nada é alterado.\n"
                         "\n"
                         "Exemplo:\n"
                         "    viga-demo ~/viga-demo\n"
                         "    VIGA_HOME=~/viga-demo viga\n"
                         "\n"
                         "  -h, --help      mostra esta ajuda e termina\n"
                         "  -v, --version   mostra a versão e termina\n"
                         "  --              o argumento seguinte é a PASTA, mesmo começando com \"-\"\n"
                         "\n"
                         "Saída: 0 pasta criada ou já existente; 1 pasta ou banco não criados;\n"
                         "2 uso incorreto.\n";

// The folder named on the command line, or nothing when the run ends here:
// help and version are printed (exit 0), a wrong use is reported (exit 2).
// An option is never taken for a folder name.
bool LeArgumentos(int argc, char** argv, QString* pasta, int* saida)
{
    QCommandLineParser p;
    declaraOpcoes(p, {{"h,help"}, {"v,version"}});
    const ErroLinhaComando e = leLinhaComando(p, argumentosDe(argc, argv));
    *saida = 0;
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(kUso, stdout);
        return false;
    }
    if (p.isSet(QStringLiteral("version"))) {
        std::printf("viga-demo %s\n", VIGA_VERSION);
        return false;
    }
    *saida = 2;
    if (e.tipo != ErroLinhaComando::Nenhum) {
        std::fprintf(stderr, "viga-demo: opção desconhecida: %s (veja --help)\n", qPrintable(e.argumento));
        return false;
    }
    const QStringList nomes = p.positionalArguments();
    if (nomes.size() > 1) {
        std::fprintf(stderr, "viga-demo: só uma PASTA: %s e %s (veja --help)\n", qPrintable(nomes[0]),
                     qPrintable(nomes[1]));
        return false;
    }
    if (nomes.isEmpty() || nomes.first().isEmpty()) {
        std::fprintf(stderr, "viga-demo: falta a PASTA (veja --help)\n");
        return false;
    }
    *saida = 0;
    *pasta = QDir(nomes.first()).absolutePath();
    return true;
}

void exec(TDM& dm, const QString& sql, const QList<QPair<QString, QVariant>>& valores = {})
{
    dm.QR_EXEC.Clear();
    dm.QR_EXEC.Add(sql);
    for (const auto& v : valores) {
        dm.QR_EXEC.setParam(v.first, v.second);
    }
    dm.QR_EXEC.ExecSQL();
}

void parte(TDM& dm, int codigo, int tipo, int pessoa, const QString& doc, const QString& razao, int cidade,
           const QString& placa = QString())
{
    exec(
        dm,
        QStringLiteral("insert into cadastrao (cad_codigo, cad_tipo, cad_pessoa, cad_cpfcgc, cad_razao, "
                       "cad_fantasia, cad_endereco, cad_bairro, cad_cep, cad_fone, cid_codigo, cad_inativo, "
                       "cad_placa, cad_dtcadastro) values (:c, :t, :p, :d, :r, :r, 'RUA DAS PALMEIRAS, 100', "
                       "'CENTRO', '85800-000', '(45)3222-1000', :cid, 0, :placa, :dt)"),
        {{"c", codigo},
         {"t", tipo},
         {"p", pessoa},
         {"d", doc.isEmpty() ? QVariant() : QVariant(doc)},
         {"r", razao},
         {"cid", cidade},
         {"placa", placa.isEmpty() ? QVariant() : QVariant(placa)},
         {"dt", QDate(2026, 1, 5)}});
}

} // namespace

int main(int argc, char** argv)
{
    QString pasta;
    int saida = 0;
    if (!LeArgumentos(argc, argv, &pasta, &saida)) {
        return saida;
    }
    QCoreApplication app(argc, argv);
    qputenv("VIGA_HOME", pasta.toLocal8Bit());
    // a data folder like any other: the owner's only (0700), and so is what is made there
    if (!PastaDados::preparar()) {
        std::fprintf(stderr, "viga-demo: não foi possível criar a pasta %s\n", qPrintable(pasta));
        return 1;
    }
    PastaDados::restringirCriacao();
    if (QFile::exists(PastaDados::arquivo(QStringLiteral("viga.db")))) {
        return 0; // created before: keep what the user did with it
    }
    Conexao c;
    QString erro;
    if (!Conexao::ler(c, &erro)) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        return 1;
    }
    TDM dm(c);
    if (!Esquema::abreBanco(dm, &erro)) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        return 1;
    }
    try {
        Transacao tr(&dm);
        const QList<QPair<QString, QString>> cidades = {
            {"CASCAVEL", "PR"}, {"TOLEDO", "PR"},   {"CURITIBA", "PR"},  {"PARANAGUÁ", "PR"},
            {"CHAPECÓ", "SC"},  {"DOURADOS", "MS"}, {"RIO VERDE", "GO"}, {"SORRISO", "MT"}};
        for (int i = 0; i < cidades.size(); ++i) {
            exec(dm,
                 QStringLiteral("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (:c, :d, :u)"),
                 {{"c", i + 1}, {"d", cidades[i].first}, {"u", cidades[i].second}});
        }
        parte(dm, 1, 1, 1, QStringLiteral("11.222.333/0001-81"),
              QStringLiteral("CEREALISTA DEMONSTRAÇÃO LTDA"), 1);
        parte(dm, 1, 3, 1, QStringLiteral("04.252.011/0001-10"),
              QStringLiteral("COOPERATIVA AGROINDUSTRIAL OESTE"), 2);
        parte(dm, 2, 3, 1, QStringLiteral("33.000.167/0001-01"), QStringLiteral("EXPORTADORA PORTO SUL S.A."),
              4);
        parte(dm, 3, 3, 0, QStringLiteral("529.982.247-25"), QStringLiteral("JOÃO CARLOS DA SILVA"), 1);
        parte(dm, 1, 4, 0, QStringLiteral("111.444.777-35"),
              QStringLiteral("ANTÔNIO PEREIRA (SÍTIO BOA VISTA)"), 1);
        parte(dm, 2, 4, 1, QStringLiteral("60.746.948/0001-12"),
              QStringLiteral("FAZENDA SANTA MARIA AGROPECUÁRIA"), 8);
        parte(dm, 3, 4, 0, QString(), QStringLiteral("MARIA APARECIDA SOUZA"), 2);
        parte(dm, 1, 2, 1, QStringLiteral("07.526.557/0001-00"), QStringLiteral("TRANSPORTES RODOSUL LTDA"),
              3, QStringLiteral("ABC1D23"));
        parte(dm, 2, 2, 1, QStringLiteral("19.131.243/0001-97"), QStringLiteral("LOGÍSTICA GRÃO FORTE"), 5,
              QStringLiteral("QWE4R56"));
        parte(dm, 1, 5, 0, QStringLiteral("390.533.447-05"), QStringLiteral("PEDRO HENRIQUE LIMA"), 1,
              QStringLiteral("BRA2E19"));
        const QList<QPair<QString, QString>> produtos = {{"1", "SOJA EM GRÃOS"}, {"2", "MILHO EM GRÃOS"},
                                                         {"3", "TRIGO"},         {"4", "FARELO DE SOJA"},
                                                         {"5", "CALCÁRIO"},      {"6", "ADUBO NPK"}};
        for (const auto& p : produtos) {
            exec(dm,
                 QStringLiteral("insert into produto (prd_codigo, prd_codigoint, prd_descricao, prd_fator1, "
                                "prd_fator2, prd_fator3, prd_fator4, prd_fator5, prd_fator6) values "
                                "(:c, :i, :d, 0, 0, 0, 0, 0, 0)"),
                 {{"c", p.first}, {"i", p.first.toInt()}, {"d", p.second}});
        }
        exec(dm, QStringLiteral("insert into tipoveiculo (tpv_codigo, tpv_descricao, tpv_valor) values "
                                "(1, 'TRUCK', 15), (2, 'CARRETA', 25), (3, 'BITREM', 35)"));
        exec(dm, QStringLiteral("update config set cfg_fator1='Impureza', cfg_fator2='Avariados', "
                                "cfg_divisao=0, cfg_casasdecimais=0"));
        tr.commit();
    } catch (const ErroBanco& e) {
        std::fprintf(stderr, "viga-demo: %s\n", qPrintable(e.texto()));
        return 1;
    }
    std::printf("Dados de demonstração criados em %s\n", qPrintable(pasta));
    return 0;
}

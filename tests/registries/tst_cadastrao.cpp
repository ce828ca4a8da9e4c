// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "Cadastros.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "Relogio.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TFrmCadCidade.h"
#include "TFrmCadastrao.h"
#include "TMaskEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

template <class T = QLineEdit> T* campo(QWidget& w, const char* nome)
{
    auto* c = w.findChild<T*>(QLatin1String(nome));
    if (!c) {
        qFatal("campo %s não existe", nome);
    }
    return c;
}

// Types into a field as the operator does and leaves it with Enter.
void digita(QWidget& w, const char* nome, const QString& texto)
{
    auto* c = campo<QLineEdit>(w, nome);
    c->setFocus();
    c->setCursorPosition(0);
    QTest::keyClicks(c, texto);
    QTest::keyClick(c, Qt::Key_Return);
    QCoreApplication::processEvents();
}

QString rotuloDe(QWidget& w, const char* nome)
{
    return campo<QWidget>(w, nome)->accessibleName();
}

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");

void cidades(BancoTeste& b)
{
    b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
    b.exec("insert into cidade values (2, 'CURITIBA', 'PR')");
}

void parte(BancoTeste& b, int codigo, int tipo, const QString& razao, const QString& extra = QString(),
           const QString& valores = QString())
{
    b.exec(QStringLiteral(
               "insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo%1) values (%2, %3, "
               "'%4', 1%5)")
               .arg(extra.isEmpty() ? QString() : u',' + extra)
               .arg(codigo)
               .arg(tipo)
               .arg(razao, valores.isEmpty() ? QString() : u',' + valores));
}

} // namespace

class TstCadastrao : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Relogio::fixar(QDateTime(QDate(2026, 3, 9), QTime(10, 0)));
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
    }
    void cleanup() { Relogio::fixar(QDateTime()); }

    void legendasPorTipo_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("navio");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("motorista");
        QTest::newRow("emissor") << 1 << 0 << "Cadastro de Emissor" << false;
        QTest::newRow("transportadora") << 2 << 0 << "Cadastro de Transportadora" << false;
        QTest::newRow("navio") << 2 << 1 << "Cadastro de Navio" << false;
        QTest::newRow("cliente") << 3 << 1 << "Cadastro de Cliente" << false;
        QTest::newRow("fornecedor") << 4 << 0 << "Cadastro de Fornecedor" << false;
        QTest::newRow("motorista") << 5 << 0 << "Cadastro de Motorista" << true;
    }
    void legendasPorTipo()
    {
        QFETCH(int, tipo);
        QFETCH(int, navio);
        QFETCH(QString, titulo);
        QFETCH(bool, motorista);
        BancoTeste b;
        b.exec(QStringLiteral("update config set cfg_navio=%1").arg(navio));
        DialogosRoteiro d;
        TFrmCadastrao w(tipo);
        QVERIFY(Operador::abrir(w));
        QCOMPARE(w.windowTitle(), titulo);
        QCOMPARE(campo(w, "edtPlaca")->isVisible(), motorista);
        QCOMPARE(campo(w, "edtTara")->isVisible(), motorista);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(campo<QComboBox>(w, "cbPessoa")->currentText(),
                 motorista ? QStringLiteral("Físico") : QStringLiteral("Jurídico"));
        QCOMPARE(rotuloDe(w, "edtInsRg"), motorista ? QStringLiteral("RG:") : QStringLiteral("Inscrição:"));
        QCOMPARE(campo(w, "edtData")->text(), QStringLiteral("09/03/2026"));
        QVERIFY(campo<QComboBox>(w, "cbPessoa")->hasFocus());
    }

    // The person type switches captions, the mask and the check's mode.
    void tipoDePessoa()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        auto* pessoa = campo<QComboBox>(w, "cbPessoa");
        QCOMPARE(rotuloDe(w, "edtRazao"), QStringLiteral("Razão:"));
        QCOMPARE(rotuloDe(w, "edtCpfCgc"), QStringLiteral("CNPJ:"));
        pessoa->setCurrentIndex(0);
        QCOMPARE(rotuloDe(w, "edtRazao"), QStringLiteral("Nome:"));
        QCOMPARE(rotuloDe(w, "edtFantasia"), QStringLiteral("Apelido:"));
        QCOMPARE(rotuloDe(w, "edtCpfCgc"), QStringLiteral("CPF:"));
        QCOMPARE(rotuloDe(w, "edtInsRg"), QStringLiteral("RG:"));
        digita(w, "edtCpfCgc", "52998224725");
        QCOMPARE(campo<TMaskEdit>(w, "edtCpfCgc")->maskText(), QStringLiteral("529.982.247-25"));
        QVERIFY(d.mostradas.isEmpty());
        pessoa->setCurrentIndex(1);
        QCOMPARE(rotuloDe(w, "edtRazao"), QStringLiteral("Razão:"));
        QCOMPARE(rotuloDe(w, "edtInsRg"), QStringLiteral("Inscrição:"));
        // The CPF is not a CNPJ.
        digita(w, "edtCpfCgc", "52998224725");
        QCOMPARE(d.textos(), QStringList{QStringLiteral("C.P.F./C.N.P.J. inválido!")});
        digita(w, "edtCpfCgc", "11222333000181");
        QCOMPARE(campo<TMaskEdit>(w, "edtCpfCgc")->maskText(), QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(d.mostradas.size(), 1);
    }

    void documentoInvalidoLimpa_data()
    {
        QTest::addColumn<int>("pessoa");
        QTest::addColumn<QString>("digitado");
        QTest::newRow("CPF com dígito errado") << 0 << "52998224726";
        QTest::newRow("CPF pela metade") << 0 << "529982";
        QTest::newRow("CNPJ com dígito errado") << 1 << "11222333000182";
    }
    void documentoInvalidoLimpa()
    {
        QFETCH(int, pessoa);
        QFETCH(QString, digitado);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        campo<QComboBox>(w, "cbPessoa")->setCurrentIndex(pessoa);
        digita(w, "edtCpfCgc", digitado);
        QCOMPARE(d.textos(), QStringList{QStringLiteral("C.P.F./C.N.P.J. inválido!")});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Informação"));
        QVERIFY(campo<TMaskEdit>(w, "edtCpfCgc")->vazio());
        QTRY_COMPARE(QApplication::focusWidget(),
                     campo<QWidget>(w, "edtCpfCgc")); // the operator types it again
    }

    // The same tax number cannot be registered twice, whatever the kind (also a
    // party of another kind with the same code); the party itself does not count.
    void documentoDuplicado_data()
    {
        QTest::addColumn<int>("tipoExistente");
        QTest::addColumn<int>("codigoExistente");
        QTest::addColumn<bool>("editandoOProprio");
        QTest::addColumn<bool>("recusado");
        QTest::newRow("outro tipo") << 4 << 5 << false << true;
        QTest::newRow("mesmo tipo") << 3 << 5 << false << true;
        QTest::newRow("outro tipo, mesmo código") << 4 << 1 << false << true;
        QTest::newRow("o próprio cadastro") << 3 << 1 << true << false;
    }
    void documentoDuplicado()
    {
        QFETCH(int, tipoExistente);
        QFETCH(int, codigoExistente);
        QFETCH(bool, editandoOProprio);
        QFETCH(bool, recusado);
        BancoTeste b;
        cidades(b);
        parte(b, codigoExistente, tipoExistente, "EXISTENTE", "cad_pessoa, cad_cpfcgc",
              "1, '11.222.333/0001-81'");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        if (editandoOProprio) {
            w.grade()->setFocus();
            QTest::keyClick(w.grade(), Qt::Key_Space);
            QCOMPARE(w.EstadoCadastro, 1);
            campo<TMaskEdit>(w, "edtCpfCgc")->setFocus();
            QTest::keyClick(campo(w, "edtCpfCgc"), Qt::Key_Return);
        } else {
            QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
            digita(w, "edtCpfCgc", "11222333000181");
        }
        if (recusado) {
            QCOMPARE(d.textos(), QStringList{QStringLiteral("C.P.F./C.N.P.J. já Cadastrado!")});
            QVERIFY(campo<TMaskEdit>(w, "edtCpfCgc")->vazio());
        } else {
            QVERIFY(d.mostradas.isEmpty());
            QCOMPARE(campo<TMaskEdit>(w, "edtCpfCgc")->maskText(), QStringLiteral("11.222.333/0001-81"));
        }
    }

    // The same RG / state registration exists once per person type.
    void rgDuplicadoPorTipoDePessoa_data()
    {
        QTest::addColumn<int>("pessoaExistente");
        QTest::addColumn<int>("pessoaNova");
        QTest::addColumn<bool>("recusado");
        QTest::newRow("mesmo tipo de pessoa") << 0 << 0 << true;
        QTest::newRow("outro tipo de pessoa") << 1 << 0 << false;
    }
    void rgDuplicadoPorTipoDePessoa()
    {
        QFETCH(int, pessoaExistente);
        QFETCH(int, pessoaNova);
        QFETCH(bool, recusado);
        BancoTeste b;
        cidades(b);
        parte(b, 3, 4, "FORNECEDOR", "cad_pessoa, cad_insrg",
              QStringLiteral("%1, '123456'").arg(pessoaExistente));
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        campo<QComboBox>(w, "cbPessoa")->setCurrentIndex(pessoaNova);
        digita(w, "edtInsRg", "123456");
        if (recusado) {
            QCOMPARE(d.textos(),
                     QStringList{QStringLiteral("Numero do documento já utilizado em outro cadastro.")});
            QCOMPARE(d.mostradas[0].flags, int(Msg::Ok));
            QVERIFY(campo(w, "edtInsRg")->text().isEmpty());
            QVERIFY(campo(w, "edtInsRg")->hasFocus());
        } else {
            QVERIFY(d.mostradas.isEmpty());
            QCOMPARE(campo(w, "edtInsRg")->text(), QStringLiteral("123456"));
        }
    }

    void cepPreencheEndereco()
    {
        BancoTeste b;
        cidades(b);
        b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cad_cep, cad_endereco, cad_bairro, "
               "cid_codigo) values (1, 4, 'F', '85810-000', 'RUA PARANA 10', 'CENTRO', 1)");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w, "edtCep", "85810000");
        QCOMPARE(campo(w, "edtEndereco")->text(), QStringLiteral("RUA PARANA 10"));
        QCOMPARE(campo(w, "edtBairro")->text(), QStringLiteral("CENTRO"));
        QCOMPARE(campo<TMaskEdit>(w, "edtCidade")->maskText().trimmed(), QStringLiteral("1"));
        QCOMPARE(campo(w, "edtNomeCidade")->text(), QStringLiteral("CASCAVEL"));
    }

    // A complete client typed and saved: bound values, apostrophes, NULLs, date.
    void incluirCliente()
    {
        BancoTeste b;
        cidades(b);
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(campo<TMaskEdit>(w, "edtCodigo")->maskText().trimmed(), QStringLiteral("1"));
        digita(w, "edtRazao", "cerealista d'oeste ltda");
        digita(w, "edtCpfCgc", "11222333000181");
        digita(w, "edtInsRg", "9012345678");
        digita(w, "edtEmail", "Vendas@Oeste.com.br");
        QVERIFY(!w.BtnSalvar->isEnabled());
        digita(w, "edtCidade", "9");
        QCOMPARE(campo(w, "edtNomeCidade")->text(), QStringLiteral("NÃO CADASTRADO"));
        QVERIFY(!w.BtnSalvar->isEnabled());
        campo(w, "edtCidade")->clear();
        digita(w, "edtCidade", "2");
        QCOMPARE(campo(w, "edtNomeCidade")->text(), QStringLiteral("CURITIBA"));
        QVERIFY(w.BtnSalvar->isEnabled());
        auto* obs = campo<QPlainTextEdit>(w, "memObs");
        obs->setFocus();
        QTest::keyClicks(obs, "entregar d'manha");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Sucesso"));

        TQuery& q = b.dm().QR_TEMP;
        q.setSQL({"select * from cadastrao where cad_codigo=1 and cad_tipo=3"});
        q.Open();
        QCOMPARE(q.RecordCount(), 1);
        QCOMPARE(q.AsInteger("cad_pessoa"), 1);
        QCOMPARE(q.AsString("cad_razao"), QStringLiteral("CEREALISTA D OESTE LTDA"));
        QCOMPARE(q.AsString("cad_cpfcgc"), QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(q.AsString("cad_insrg"), QStringLiteral("9012345678"));
        QCOMPARE(q.AsString("cad_email"), QStringLiteral("vendas@oeste.com.br"));
        QCOMPARE(q.AsString("cad_obs"), QStringLiteral("entregar d\nmanha"));
        QCOMPARE(q.AsDate("cad_dtcadastro"), QDate(2026, 3, 9));
        QCOMPARE(q.AsInteger("cid_codigo"), 2);
        QCOMPARE(q.AsInteger("cad_inativo"), 0);
        for (const char* nulo :
             {"cad_fantasia", "cad_cep", "cad_fone", "cad_site", "cad_placa", "cad_tara"}) {
            QVERIFY2(q.IsNull(nulo), nulo);
        }
        q.Close();
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(campo(w, "edtRazao")->text().isEmpty());
        QCOMPARE(w.grade()->model()->rowCount(), 1);
    }

    // A driver needs the RG; plate and tare are stored; editing keeps the code.
    void motoristaIncluirEEditar()
    {
        BancoTeste b;
        cidades(b);
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Motorista);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w, "edtRazao", "joao");
        digita(w, "edtCidade", "1");
        QVERIFY(!w.BtnSalvar->isEnabled());
        digita(w, "edtInsRg", "77889");
        QVERIFY(w.BtnSalvar->isEnabled());
        digita(w, "edtPlaca", "abc1d23");
        digita(w, "edtTara", "12500,5");
        campo<QComboBox>(w, "cbInativo")->setCurrentIndex(1);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(b.valor("select cad_placa from cadastrao where cad_tipo=5").toString(),
                 QStringLiteral("ABC1D23"));
        QCOMPARE(b.valor("select cad_tara from cadastrao where cad_tipo=5").toDouble(), 12500.5);
        QCOMPARE(b.contar("select cad_inativo from cadastrao where cad_tipo=5"), 1);
        QCOMPARE(b.contar("select cad_pessoa from cadastrao where cad_tipo=5"), 0);
        QCOMPARE(campo<QComboBox>(w, "cbPessoa")->currentText(), QStringLiteral("Físico"));

        w.grade()->setFocus();
        QTest::keyClick(w.grade(), Qt::Key_Space);
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(campo(w, "edtTara")->text(), QStringLiteral("12500,5"));
        QCOMPARE(campo(w, "edtNomeCidade")->text(), QStringLiteral("CASCAVEL"));
        QCOMPARE(campo<QComboBox>(w, "cbInativo")->currentIndex(), 1);
        QVERIFY(!campo(w, "edtCodigo")->isEnabled());
        QVERIFY(campo(w, "edtRazao")->hasFocus());
        campo(w, "edtRazao")->selectAll();
        QTest::keyClicks(campo(w, "edtRazao"), "joao da silva");
        campo(w, "edtData")->clear();
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.contar("select count(*) from cadastrao"), 1);
        QCOMPARE(b.valor("select cad_razao from cadastrao where cad_codigo=1 and cad_tipo=5").toString(),
                 QStringLiteral("JOAO DA SILVA"));
        QVERIFY(b.valor("select cad_dtcadastro from cadastrao").isNull());
        QCOMPARE(b.valor("select cad_insrg from cadastrao").toString(), QStringLiteral("77889"));
    }

    // A failed save writes nothing, says why, and keeps what was typed.
    void erroAoGravarMantemDigitado()
    {
        BancoTeste b;
        cidades(b);
        b.exec("update config set cfg_alteracodigo=1");
        parte(b, 8, 3, "JA EXISTE");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        auto* codigo = campo<TMaskEdit>(w, "edtCodigo");
        QVERIFY(!codigo->isReadOnly());
        codigo->clear();
        digita(w, "edtCodigo", "8");
        digita(w, "edtRazao", "NOVO");
        digita(w, "edtCidade", "1");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")));
        QVERIFY(d.ultimo().size() > QStringLiteral("Erro ao efetuar a operação\rErro retornado:").size());
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Erro"));
        QCOMPARE(b.contar("select count(*) from cadastrao"), 1);
        QCOMPARE(b.valor("select cad_razao from cadastrao").toString(), QStringLiteral("JA EXISTE"));
        QCOMPARE(w.EstadoCadastro, 0);
        QCOMPARE(campo(w, "edtRazao")->text(), QStringLiteral("NOVO"));
        // Corrected, it saves: the failed attempt left no transaction behind.
        codigo->clear();
        digita(w, "edtCodigo", "9");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select count(*) from cadastrao where cad_codigo=9 and cad_razao='NOVO'"), 1);
    }

    void rastreioMostraComandoAntes()
    {
        BancoTeste b;
        cidades(b);
        b.dm().rastreioSql = true;
        DialogosRoteiro d;
        d.aoMostrar = [&b](const DialogosRoteiro::Mostrada& m) {
            if (m.texto.startsWith(QStringLiteral("INSERT"))) {
                QCOMPARE(b.contar("select count(*) from cadastrao"), 0);
            }
        };
        TFrmCadastrao w(Cadastros::Fornecedor);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w, "edtRazao", "AGRO SUL");
        digita(w, "edtCidade", "2");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 2);
        QVERIFY(d.mostradas[0].texto.startsWith(QStringLiteral("INSERT INTO CADASTRAO")));
        QVERIFY(d.mostradas[0].texto.contains(QStringLiteral("'AGRO SUL'")));
        QCOMPARE(d.mostradas[1].texto, sucesso);
        QCOMPARE(b.contar("select count(*) from cadastrao where cad_tipo=4"), 1);
    }

    void dataInvalidaSegueNoCampo()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        campo(w, "edtData")->clear();
        digita(w, "edtData", "31022020");
        QVERIFY(campo(w, "edtData")->hasFocus());
        campo(w, "edtData")->clear();
        digita(w, "edtData", "01022020");
        QVERIFY(!campo(w, "edtData")->hasFocus());
        QCOMPARE(campo(w, "edtData")->text(), QStringLiteral("01/02/2020"));
    }

    void excluir_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("pesagem"); // weighing that exists
        QTest::addColumn<QStringList>("mensagens");
        QTest::addColumn<int>("restantesDoTipo");
        const QString pergunta = QStringLiteral("Confirma exclusão do registro?");
        const QString emUso = QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!");
        QTest::newRow("emissor") << 1 << QString()
                                 << QStringList{QStringLiteral(
                                        "Você não pode excluir o emissor, somente alterar as informações!")}
                                 << 1;
        QTest::newRow("cliente com pesagem") << 3 << "7, 3, null, null" << QStringList{emUso} << 1;
        QTest::newRow("fornecedor 7 com pesagem só do cliente 7")
            << 4 << "7, 3, null, null" << QStringList{pergunta, sucesso} << 0;
        QTest::newRow("transportadora com pesagem") << 2 << "null, null, 7, 2" << QStringList{emUso} << 1;
        QTest::newRow("transportadora 7, cliente 7 pesado")
            << 2 << "7, 3, null, null" << QStringList{pergunta, sucesso} << 0;
        QTest::newRow("motorista sempre") << 5 << "7, 3, 7, 2" << QStringList{pergunta, sucesso} << 0;
    }
    void excluir()
    {
        QFETCH(int, tipo);
        QFETCH(QString, pesagem);
        QFETCH(QStringList, mensagens);
        QFETCH(int, restantesDoTipo);
        BancoTeste b;
        cidades(b);
        for (int t = 1; t <= 5; ++t) {
            parte(b, 7, t, QStringLiteral("PARTE %1").arg(t));
        }
        if (!pesagem.isEmpty()) {
            b.exec(QStringLiteral("insert into pesagem (pes_codigo, cad_codigo, cad_tipo, cad_codigotra, "
                                  "cad_tipotra) values (1, %1)")
                       .arg(pesagem));
        }
        DialogosRoteiro d;
        TFrmCadastrao w(tipo);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.textos(), mensagens);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from cadastrao where cad_tipo=%1").arg(tipo)),
                 restantesDoTipo);
        QCOMPARE(b.contar("select count(*) from cadastrao"), 4 + restantesDoTipo);
        QCOMPARE(w.grade()->model()->rowCount(), restantesDoTipo);
    }

    void excluirListaVaziaOuNao_data()
    {
        QTest::addColumn<bool>("vazia");
        QTest::newRow("lista vazia") << true;
        QTest::newRow("resposta não") << false;
    }
    void excluirListaVaziaOuNao()
    {
        QFETCH(bool, vazia);
        BancoTeste b;
        cidades(b);
        if (!vazia) {
            parte(b, 1, 3, "CLIENTE");
        }
        DialogosRoteiro d;
        d.responder(Msg::RespNao);
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{vazia ? QStringLiteral("Não há registros para excluir!")
                                               : QStringLiteral("Confirma exclusão do registro?")});
        QCOMPARE(b.contar("select count(*) from cadastrao"), vazia ? 0 : 1);
    }

    void segundoEmissorRecusado()
    {
        BancoTeste b;
        cidades(b);
        parte(b, 1, 1, "EMPRESA");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Emissor);
        w.modoEmissor(TFrmCadastrao::ArranjoEmissor::Inicio);
        QVERIFY(Operador::abrir(w));
        QVERIFY(!w.btnExcluir->isVisible());
        QVERIFY(w.BtnNovo->isVisible());
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(d.textos(),
                 QStringList{QStringLiteral("Você não pode incluir mais de um emissor, somente alterar "
                                            "as informações que estão disponíveis!")});
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(campo(w, "edtCodigo")->text().trimmed().isEmpty());
        QVERIFY(!w.BtnSalvar->isEnabled());
        QVERIFY(!w.btnExcluir->isEnabled());
    }

    void emissorDadosCadastrais()
    {
        BancoTeste b;
        cidades(b);
        parte(b, 1, 1, "EMPRESA");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Emissor);
        w.modoEmissor(TFrmCadastrao::ArranjoEmissor::DadosCadastrais);
        QVERIFY(Operador::abrir(w));
        for (QPushButton* bt : {w.BtnNovo, w.btnExcluir}) {
            QVERIFY(!bt->isVisible());
            QVERIFY(!bt->isEnabled());
        }
        QVERIFY(w.BtnSalvar->isVisible());
        // Save and Cancel sit together beside "&Sair", at the right edge.
        QVERIFY(w.btnSair->geometry().right() > w.width() - 30);
        QVERIFY(w.btnSair->x() - w.BtnCancelar->geometry().right() < 30);
        QVERIFY(w.BtnCancelar->x() - w.BtnSalvar->geometry().right() < 30);
        QVERIFY(w.BtnSalvar->x() > 100);
        w.grade()->setFocus();
        QTest::keyClick(w.grade(), Qt::Key_Space);
        digita(w, "edtFone", "45 3222-1000");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(b.valor("select cad_fone from cadastrao where cad_tipo=1").toString(),
                 QStringLiteral("45 3222-1000"));
        QVERIFY(!w.BtnNovo->isEnabled());
        QVERIFY(!w.btnExcluir->isEnabled());
    }

    // Picker: the weighing window looks a driver up by plate and reads the row back.
    void seletorPorPlaca()
    {
        BancoTeste b;
        cidades(b);
        parte(b, 1, 5, "ANA", "cad_placa, cad_insrg", "'XYZ9A88', '111'");
        parte(b, 2, 5, "BRUNO", "cad_placa, cad_insrg", "'ABC1234', '222'");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Motorista);
        w.setBuscaPorPlaca(true);
        w.abrirComoSeletor();
        QVERIFY(Operador::abrir(w));
        QCOMPARE(campo(w, "edtLocalizar")->accessibleName(), QStringLiteral("Placa:"));
        for (QPushButton* bt : {w.BtnNovo, w.BtnSalvar, w.BtnCancelar, w.btnExcluir}) {
            QVERIFY(!bt->isVisible());
            QVERIFY(!bt->isEnabled());
        }
        QCOMPARE(w.btnSair->text(), QStringLiteral("&OK"));
        QTest::keyClicks(campo(w, "edtLocalizar"), "xy");
        w.grade()->setFocus();
        QTest::keyClick(w.grade(), Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.EstadoCadastro, 3);
        const auto s = w.escolha();
        QVERIFY(s.has_value());
        QCOMPARE(s->codigo, qint64(1));
        QCOMPARE(s->texto("CAD_RAZAO"), QStringLiteral("ANA"));
        QCOMPARE(s->texto("CAD_PLACA"), QStringLiteral("XYZ9A88"));
        QCOMPARE(s->texto("CAD_INSRG"), QStringLiteral("111"));
        QVERIFY(d.mostradas.isEmpty());
    }

    void tituloReordena()
    {
        BancoTeste b;
        cidades(b);
        parte(b, 1, 3, "ZECA");
        parte(b, 2, 3, "ALFA");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        auto* m = w.grade()->model();
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("ALFA"));
        Q_EMIT w.grade()->tituloClicado(0, QStringLiteral("CAD_CODIGO"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("ZECA"));
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(Qt::cyan));
        QVERIFY(!m->headerData(1, Qt::Horizontal, Qt::BackgroundRole).isValid());
        Q_EMIT w.grade()->tituloClicado(1, QStringLiteral("CAD_RAZAO"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("ALFA"));
        QVERIFY(!m->headerData(0, Qt::Horizontal, Qt::BackgroundRole).isValid());
        QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(Qt::cyan));
    }

    // F2 on the city code: the cities picker (the list has parties), the choice fills the fields.
    void f2NaCidadeAbreSeletor()
    {
        BancoTeste b;
        cidades(b);
        parte(b, 1, 3, "CLIENTE");
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w, "edtRazao", "NOVO");
        bool eraSeletor = false;
        Operador::quandoAbrir<TFrmCadCidade>([&eraSeletor](TFrmCadCidade* c) {
            eraSeletor = c->comoSeletor();
            c->grade()->selecionar(1);
            QTest::mouseClick(c->btnSair, Qt::LeftButton);
        });
        auto* cidade = campo(w, "edtCidade");
        cidade->setFocus();
        QTest::keyClick(cidade, Qt::Key_F2);
        QVERIFY(eraSeletor);
        QVERIFY(!Operador::janelaAberta<TFrmCadCidade>());
        QCOMPARE(campo<TMaskEdit>(w, "edtCidade")->maskText().trimmed(), QStringLiteral("2"));
        QCOMPARE(campo(w, "edtNomeCidade")->text(), QStringLiteral("CURITIBA"));
        QVERIFY(w.BtnSalvar->isEnabled());
    }

    void f3NaCidadeExigeDireito()
    {
        BancoTeste b;
        cidades(b);
        SessaoAtual.UsuarioLogado = QStringLiteral("JOSE");
        SessaoAtual.Cadastros = 0;
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        auto* cidade = campo(w, "edtCidade");
        cidade->setFocus();
        QTest::keyClick(cidade, Qt::Key_F3);
        QCOMPARE(d.textos(), QStringList{QStringLiteral("Módulo com acesso restrito.")});
    }

    // The operator walks a new party with Enter from the person type: every
    // field in the order shown, to the observation. The "..." beside the city
    // is never on the way (Enter there opened the picker and the next Enter
    // replaced the typed city), so the typed city and the fields after it are stored.
    void enterPercorreOsCampos_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("caminho");
        const QStringList antes{"edtRazao",    "edtFantasia", "edtCpfCgc", "edtInsRg", "edtCep",
                                "edtEndereco", "edtBairro",   "edtCidade", "edtFone",  "edtFax",
                                "edtContato",  "edtData",     "edtEmail",  "edtSite"};
        QTest::newRow("cliente") << int(Cadastros::Cliente) << antes + QStringList{"cbInativo", "memObs"};
        QTest::newRow("motorista") << int(Cadastros::Motorista)
                                   << antes + QStringList{"edtPlaca", "edtTara", "cbInativo", "memObs"};
    }
    void enterPercorreOsCampos()
    {
        QFETCH(int, tipo);
        QFETCH(QStringList, caminho);
        BancoTeste b;
        cidades(b);
        parte(b, 1, tipo, "JA CADASTRADO"); // a list with rows: the city "..." would open the picker
        DialogosRoteiro d;
        TFrmCadastrao w(tipo);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(Operador::nomeDe(QApplication::focusWidget()), QStringLiteral("cbPessoa"));
        QCOMPARE(Operador::caminhoDoEnter(caminho.size()), caminho);

        // Again, typing: the name, the city 2 and what follows it.
        QTest::mouseClick(w.BtnCancelar, Qt::LeftButton);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Jurídico" (drivers "Físico") stays
        const QMap<QString, QString> digitado{{"edtRazao", "NOVO"}, {"edtInsRg", "123"},
                                              {"edtCidade", "2"},   {"edtFone", "45 3222-1000"},
                                              {"edtSite", "viga"},  {"edtTara", "9.5"}};
        for (const QString& nome : caminho) {
            if (nome == QLatin1String("memObs")) {
                break;
            }
            QWidget* atual = QApplication::focusWidget();
            QCOMPARE(Operador::nomeDe(atual), nome);
            if (auto* e = qobject_cast<QLineEdit*>(atual); e && digitado.contains(nome)) {
                QTest::keyClicks(e, digitado[nome]);
            }
            QTest::keyClick(atual, Qt::Key_Return);
            QCOMPARE(Operador::nomeDe(QApplication::focusWidget()), caminho[caminho.indexOf(nome) + 1]);
        }
        QVERIFY(!Operador::janelaAberta<TFrmCadCidade>());
        QCOMPARE(campo(w, "edtNomeCidade")->text(), QStringLiteral("CURITIBA"));
        QTest::keyClicks(campo<QPlainTextEdit>(w, "memObs"), "fim");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        const QString onde = QStringLiteral(" from cadastrao where cad_razao='NOVO'");
        QCOMPARE(b.valor("select cid_codigo" + onde).toInt(), 2);
        QCOMPARE(b.valor("select cad_fone" + onde).toString(), QStringLiteral("45 3222-1000"));
        QCOMPARE(b.valor("select cad_obs" + onde).toString(), QStringLiteral("fim"));
        if (tipo == Cadastros::Motorista) {
            QCOMPARE(b.valor("select cad_tara" + onde).toDouble(), 9.5); // a typed point is the decimal comma
        }
    }

    // The window opens wide enough for a whole CNPJ and with its list showing
    // about ten rows (drivers too, whose window has two more fields).
    void abreNumTamanhoUtil_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::newRow("cliente") << int(Cadastros::Cliente);
        QTest::newRow("motorista") << int(Cadastros::Motorista);
    }
    void abreNumTamanhoUtil()
    {
        QFETCH(int, tipo);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadastrao w(tipo);
        QVERIFY(Operador::abrir(w));
        w.findChild<QComboBox*>("cbPessoa")->setCurrentIndex(Cadastros::Juridico);
        QCoreApplication::processEvents();
        auto* cnpj = campo<TMaskEdit>(w, "edtCpfCgc");
        QVERIFY(cnpj->contentsRect().width() >= cnpj->fontMetrics().horizontalAdvance("00.000.000/0000-00"));
        QVERIFY(w.grade()->viewport()->height() >= 10 * w.grade()->verticalHeader()->defaultSectionSize());
    }
};

QTEST_MAIN(TstCadastrao)
#include "tst_cadastrao.moc"

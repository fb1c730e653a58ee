// The payment programming screens on the demo company under the offscreen
// platform: a plan of three documents of two creditors made by keyboard
// (one by cheque, two by transfer), the panel's keys, saved with the
// vouchers generated; the search exporting its dispersal file and
// annulling it. With CXP_CAPTURAS set, pictures of both screens and both
// panels are left there.
#include "db/Esquema.h"
#include "documents/programacion/TfbuscaprogpagosVista.h"
#include "documents/programacion/TfprogcxpVista.h"
#include "tests/support/EntornoCompania.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

using namespace cxp;

namespace {

class ProgramacionVista : public prueba::EntornoCompania {
protected:
    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        // A second open charge of the creditor paid by transfer.
        db.executeDirect(
            "insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, "
            "NDPR_MONTO, NDPR_IVAMONTO, NDPR_RTFTEMONTO, NDPR_RTIVAMONTO, NDPR_RTICAMONTO, NDPR_RTCREEM, NDPR_CONC) "
            "values (78, '830045678', 'CEN', '000078', current_date - 3, current_date + 20, 800000, 152000, 20000, 0, "
            "0, 0, 'ARRIENDO PARQUEADERO')");
        entrar();
    }
    Dinero dinero(const QString& sql) const {
        const auto f = fila(sql);
        return f && !(*f)[0].isNull() ? *Dinero::desdeTexto(f->at(0).toString()) : Dinero();
    }
    static void elegir(QComboBox* c, const QString& texto) {
        const int i = c->findText(texto, Qt::MatchStartsWith);
        ASSERT_GE(i, 0) << texto.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    // The documents of the list selected in the grid, by type and id.
    static void seleccionar(TfprogcxpVista& v, std::initializer_list<int64_t> ids) {
        DataSet& d = v.logica().documentos();
        QTableView* t = v.documentos()->vista();
        t->clearSelection();
        for (const int64_t id : ids)
            for (int i = 0; i < d.recordCount(); ++i)
                if (d.row(i).asInt("TIPO") == 51 && d.row(i).asInt("ID") == id) {
                    d.setCurrentRow(i);
                    t->selectionModel()->select(t->model()->index(i, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
                }
    }
    Dinero saldo(int64_t id) const {
        return dinero(QStringLiteral("select saldo from saldo_doc_cxpagar(51, %1, current_date, 1)").arg(id));
    }
};

TEST_F(ProgramacionVista, PlanPorTecladoGeneradoExportadoYAnulado) {
    auto logica = std::make_unique<ProgramacionPagos>(sesion, interaccion, manejador);
    ASSERT_TRUE(logica->abrir()) << mensajes().toStdString();
    TfprogcxpVista v(std::move(logica), interaccion, manejador, sesion);
    v.show();
    elegir(v.findChild<QComboBox*>("PRPG_PREGR"), "BOG");
    QLineEdit* concepto = v.findChild<QLineEdit*>("PRPG_CONC");
    concepto->setFocus();
    QTest::keyClicks(concepto, "PAGOS DE LA SEMANA");
    v.findChild<QCheckBox*>("PRPG_CONFIRMADO")->click();
    ASSERT_TRUE(v.confirmar());
    const Dinero saldo2 = saldo(2), saldo4 = saldo(4), saldo78 = saldo(78);

    // Charge 2 by cheque, one document: the amount shows; above the balance
    // it is refused and the panel stays open; Esc leaves the panel only.
    seleccionar(v, {2});
    QTest::keyClick(v.documentos()->vista(), Qt::Key_F8);
    ASSERT_TRUE(v.panelPago()->isVisible()) << mensajes().toStdString();
    EXPECT_EQ(v.valor()->text(), saldo2.texto(2));
    elegir(v.origen(), "Banco");
    elegir(v.caja(), v.caja()->itemText(v.caja()->findData(1)));
    elegir(v.clase(), "CHEQUE");
    elegir(v.prefijoBanco(), "CHB");
    v.valor()->setText((saldo2 + Dinero::desdeEntero(1)).texto(2));
    QTest::keyClick(v.valor(), Qt::Key_F8);
    EXPECT_EQ(interaccion.de("error"), QStringList{ProgramacionPagos::kValorInvalido});
    EXPECT_TRUE(v.panelPago()->isVisible());
    v.valor()->setText(saldo2.texto(2));
    prueba::capturar(v, "programacion-pago");
    QTest::keyClick(v.valor(), Qt::Key_F8);
    EXPECT_FALSE(v.panelPago()->isVisible());
    QTest::keyClick(v.documentos()->vista(), Qt::Key_F8);
    ASSERT_TRUE(v.panelPago()->isVisible());
    EXPECT_EQ(v.origen()->currentText(), "Banco") << "the panel shows the row as programmed";
    EXPECT_EQ(v.prefijoBanco()->currentText(), "CHB");
    QTest::keyClick(v.origen(), Qt::Key_Escape);
    EXPECT_FALSE(v.panelPago()->isVisible());
    EXPECT_TRUE(v.isVisible());

    // Charges 4 and 78 of the other creditor by transfer, selected together:
    // no amount, each its balance.
    seleccionar(v, {4, 78});
    QTest::keyClick(v.documentos()->vista(), Qt::Key_F8);
    ASSERT_TRUE(v.panelPago()->isVisible());
    EXPECT_FALSE(v.valor()->isVisible());
    elegir(v.origen(), "Banco");
    elegir(v.caja(), v.caja()->itemText(v.caja()->findData(1)));
    elegir(v.clase(), "RETIRO");
    elegir(v.prefijoBanco(), "RET");
    QTest::keyClick(v.origen(), Qt::Key_F8);
    EXPECT_FALSE(v.panelPago()->isVisible());
    const Dinero pagos = saldo2 + saldo4 + saldo78;
    EXPECT_EQ(v.etiqueta("totalPagos")->text(), pagos.texto(2));
    EXPECT_EQ(v.etiqueta("diferencia")->text(), (v.logica().totalDisponible() - pagos).texto(2));
    v.soloAPagar()->setChecked(true);
    EXPECT_EQ(v.logica().documentos().recordCount(), 3);
    QApplication::processEvents();  // the layout without the panel
    prueba::capturar(v, "programacion-plan");

    // F2: the plan saved and its two vouchers generated in the same save.
    QTest::keyClick(v.documentos()->vista(), Qt::Key_F2);
    EXPECT_FALSE(v.isVisible()) << mensajes().toStdString();
    const int64_t plan = v.logica().plan().asInt("PRPG_ID");
    ASSERT_GT(plan, 0) << mensajes().toStdString();
    EXPECT_EQ(contar(QStringLiteral("select count(distinct prpg_idegre) from programacion_pagos where prpg_id = %1 and "
                                    "prpg_idegre <> 0").arg(plan)),
              2);
    for (const int64_t id : {2, 4, 78}) EXPECT_EQ(saldo(id), Dinero()) << id;

    // The search: F9 opens the dispersal panel, F5 writes the file, Esc
    // leaves the panel; F3 annuls with the reason.
    // A plan saved before it has rows is listed as well.
    ProgramacionPagos vacio(sesion, interaccion, manejador);
    ASSERT_TRUE(vacio.abrir());
    ASSERT_TRUE(vacio.grabar()) << mensajes().toStdString();
    TfbuscaprogpagosVista b(sesion, interaccion, manejador, configuracion);
    b.setAttribute(Qt::WA_DeleteOnClose, false);
    ASSERT_TRUE(b.abrirInicial());
    b.show();
    ASSERT_TRUE(b.resultado().locate("ID", vacio.plan().value("PRPG_ID")));
    EXPECT_EQ(b.resultado().asInt("ITEMS"), 0);
    // By concept (anywhere), by date and by number: the condition applies to the grouped plans.
    for (const auto& [columna, texto, cualquiera] : {std::tuple{0, "SEMANA", true}, std::tuple{1, "2000/01/01", false},
                                                     std::tuple{2, "000001", false}}) {
        b.setColumnaElegida(columna);
        b.cualquierPosicion()->setChecked(cualquiera);
        b.texto()->setText(texto);
        ASSERT_TRUE(b.buscar()) << texto << mensajes().toStdString();
        EXPECT_TRUE(b.resultado().locate("ID", fb::Value(plan))) << texto;
    }
    sesion.agencia_actual = 1;  // an agency's clerk: its prefixes and the common ones
    ASSERT_TRUE(b.buscar()) << mensajes().toStdString();
    sesion.agencia_actual = 0;
    ASSERT_TRUE(b.resultado().locate("ID", fb::Value(plan)));
    EXPECT_EQ(b.resultado().asInt("ITEMS"), 3);
    // F4 opens the plan, F5 a new one.
    QTest::keyClick(b.rejilla()->vista(), Qt::Key_F4);
    QTest::keyClick(b.rejilla()->vista(), Qt::Key_F5);
    ASSERT_EQ(interaccion.pantallas.mid(interaccion.pantallas.size() - 2), QStringList({"Tfprogcxp", "Tfprogcxp"}));
    EXPECT_EQ(interaccion.argumentosPantallas.rbegin()[1].value("id").toLongLong(), plan);
    EXPECT_EQ(interaccion.argumentosPantallas.back().value("id").toLongLong(), 0);
    QTemporaryDir dir;
    b.setPedirArchivo([&dir] { return dir.filePath("dispersion"); });
    QTest::keyClick(b.rejilla()->vista(), Qt::Key_F9);
    ASSERT_TRUE(b.panelDispersion()->isVisible());
    QTest::keyClicks(b.secuencia(), "A");
    elegir(b.formato(), "PAB");
    prueba::capturar(b, "programacion-dispersion");
    QTest::keyClick(b.secuencia(), Qt::Key_F5);
    EXPECT_FALSE(b.panelDispersion()->isVisible()) << mensajes().toStdString();
    QFile archivo(dir.filePath("dispersion.txt"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const int lineas = int(QString::fromLatin1(archivo.readAll()).split("\r\n", Qt::SkipEmptyParts).size());
    EXPECT_EQ(lineas, contar(QStringLiteral("select count(*) from archivo_banco_cxp(%1, current_date, current_date, "
                                            "'A', 'PAB')").arg(plan)));
    EXPECT_EQ(lineas, 2) << "the header and the one creditor paid by transfer";
    b.texto()->clear();
    QApplication::processEvents();
    prueba::capturar(b, "programacion-busqueda");

    interaccion.elecciones = {QVariantMap{{"razon", "PAGOS HECHOS POR VENTANILLA"}}};
    interaccion.respuestas = {true};
    QTest::keyClick(b.rejilla()->vista(), Qt::Key_F3);
    EXPECT_EQ(fila(QStringLiteral("select prpg_anulado from programacion_pagos_enc where prpg_id = %1").arg(plan))
                  ->at(0).toString(),
              "S");
    ASSERT_TRUE(b.resultado().locate("ID", fb::Value(plan)));
    EXPECT_EQ(b.resultado().asString("ANULADO").trimmed(), "S") << "the list shows it annulled";
}

}  // namespace

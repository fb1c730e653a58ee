// The payment voucher's widgets on the demo company, offscreen: what each
// header and bank field writes to its set, which panel each key leaves
// open, and the pickers of the voucher handing back their choice (concepts
// through the charge they register, documents held in a box, receivables,
// the next payment class). With CXP_CAPTURAS set, pictures of the voucher
// and of each panel open are left there.
#include "creditors/TablaReferencia.h"
#include "db/Esquema.h"
#include "documents/payments/ConceptosVista.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/FormasPago.h"
#include "documents/payments/MediosPagoVista.h"
#include "documents/payments/TfegresosVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/support/Teclear.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QTableView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace cxp;
using prueba::escribir;

namespace {

const QString kLacteos = QStringLiteral("900456789");  // creditor and customer of the demo

class EgresoVista : public prueba::EntornoAcreedores {
protected:
    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        entrar();
    }
    std::unique_ptr<TfegresosVista> vista() {
        ServiciosEgreso s;
        s.abreInterfaz = [](int, const QString&, bool) { return 1; };
        auto logica = std::make_unique<Tfegresos>(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(logica->abrir()) << mensajes().toStdString();
        auto v = std::make_unique<TfegresosVista>(std::move(logica), interaccion, manejador, sesion);
        v->resize(900, 760);
        v->show();
        return v;
    }
    static QString plano(const DataSet& ds, const char* campo) { return plainText(ds.value(QString::fromLatin1(campo))); }
};

TEST_F(EgresoVista, CadaCampoEscribeSuColumna) {
    auto v = vista();
    Tfegresos& l = v->logica();
    struct Caso {
        const char* control;
        const char* texto;
        DataSet* ds;
        const char* campo;
        const char* guardado;
    };
    const Caso cabecera[] = {
        {"EGRE_CONC", "PAGO LACTEOS SEPTIEMBRE", &l.egreso(), "EGRE_CONC", "PAGO LACTEOS SEPTIEMBRE"},
        {"EGRE_EXCEDENTE", "1,500.5", &l.egreso(), "EGRE_EXCEDENTE", "1500.50"},
    };
    // The voucher prefix numbers itself: its number is shown, not typed.
    EXPECT_TRUE(qobject_cast<QLineEdit*>(v->campo("EGRE_NUMERO"))->isReadOnly());
    EXPECT_EQ(qobject_cast<QLineEdit*>(v->campo("EGRE_NUMERO"))->text(), l.egreso().asString("EGRE_NUMERO"));
    for (const Caso& c : cabecera) {
        SCOPED_TRACE(c.control);
        escribir(*v, v->campo(QString::fromLatin1(c.control)), QString::fromLatin1(c.texto));
        EXPECT_EQ(plano(*c.ds, c.campo), QString::fromLatin1(c.guardado));
    }
    // Combos store the key of the caption chosen.
    for (const auto& [control, clave] : {std::pair{"EGRE_TIPO", "3"}, std::pair{"CLEG_ID", "2"}}) {
        auto* combo = qobject_cast<QComboBox*>(v->campo(QString::fromLatin1(control)));
        ASSERT_TRUE(combo) << control;
        const Tfegresos::Panel antes = l.panel();
        const QList<OpcionBusqueda>& lista = QLatin1String(control) == QLatin1String("EGRE_TIPO") ? Tfegresos::tiposEgreso() : l.clases();
        int i = 0;
        while (i < lista.size() && lista[i].clave != QLatin1String(clave)) ++i;
        ASSERT_LT(i, lista.size()) << control;
        combo->setCurrentIndex(i);
        emit combo->activated(i);
        ASSERT_TRUE(v->confirmar());
        EXPECT_EQ(plano(l.egreso(), control), QString::fromLatin1(clave)) << control;
        EXPECT_EQ(l.panel(), antes);
    }

    // The bank document: account 1 has an automatic checkbook.
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F5, v->campo("EGRE_CONC")));
    ASSERT_TRUE(v->medios()->panelBanco()->isVisible()) << mensajes().toStdString();
    EXPECT_EQ(v->medios()->tipoBanco()->currentText(), "CHEQUE");
    EXPECT_EQ(v->medios()->prefijoBanco()->currentText(), "CHB");
    EXPECT_EQ(v->medios()->numeroBanco()->text(), "004513");
    EXPECT_TRUE(v->medios()->numeroBanco()->isReadOnly()) << "automatic cheque numbers are not typed";
    const Caso banco[] = {
        {"EGBC_BENEF", "LACTEOS LA SABANA", &l.banco(), "EGBC_BENEF", "LACTEOS LA SABANA"},
        {"EGBC_CONCEPTO", "ABONO SEPTIEMBRE", &l.banco(), "EGBC_CONCEPTO", "ABONO SEPTIEMBRE"},
        {"EGBC_MONTO", "250000", &l.banco(), "EGBC_MONTO", "250000.00"},
    };
    for (const Caso& c : banco) {
        SCOPED_TRACE(c.control);
        escribir(*v, v->medios()->findChild<QLineEdit*>(QString::fromLatin1(c.control)), QString::fromLatin1(c.texto));
        EXPECT_EQ(plano(*c.ds, c.campo), QString::fromLatin1(c.guardado));
    }
    // The withdrawals of the same account are numbered by hand.
    v->medios()->tipoBanco()->setCurrentText("RETIRO");
    emit v->medios()->tipoBanco()->activated(v->medios()->tipoBanco()->currentIndex());
    EXPECT_EQ(plano(l.banco(), "EGBC_TIPOBCO"), "73");
    EXPECT_FALSE(v->medios()->numeroBanco()->isReadOnly());
}

// Each key goes to the logic and the view shows the one panel it left open.
TEST_F(EgresoVista, CadaTeclaLlegaALaLogica) {
    struct Caso {
        const char* nombre;
        std::vector<QKeyCombination> teclas;
        Tfegresos::Panel panel;
        QString mensaje;  // the last message, when one is expected
    };
    using P = Tfegresos::Panel;
    const std::vector<Caso> casos{
        {"F4 caja", {Qt::Key_F4}, P::Caja, {}},
        {"F4 y Esc", {Qt::Key_F4, Qt::Key_Escape}, P::Ninguno, {}},
        {"F5 banco", {Qt::Key_F5}, P::Banco, {}},
        {"banco con caja abierta", {Qt::Key_F4, Qt::Key_F5}, P::Caja, "error: " + FormasPago::kCierreCaja},
        {"F5 y Esc", {Qt::Key_F5, Qt::Key_Escape}, P::Ninguno, {}},
        {"F7 cruce", {Qt::Key_F7}, P::Cruce, {}},
        {"con Mayúsculas nada", {Qt::SHIFT | Qt::Key_F4, Qt::CTRL | Qt::Key_F5}, P::Ninguno, {}},
        {"F8 y F9 sin panel nada", {Qt::Key_F8, Qt::Key_F9}, P::Ninguno, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        interaccion.mensajes.clear();
        auto v = vista();
        for (QKeyCombination t : c.teclas) v->teclado().pulsar(t, v->campo("EGRE_CONC"));
        EXPECT_EQ(v->logica().panel(), c.panel);
        EXPECT_EQ(v->medios()->panelCaja()->isVisible(), c.panel == P::Caja);
        EXPECT_EQ(v->medios()->panelBanco()->isVisible(), c.panel == P::Banco);
        EXPECT_EQ(v->panelCruce()->isVisible(), c.panel == P::Cruce);
        EXPECT_EQ(v->panelDocumentos()->isVisible(), c.panel == P::Documentos);
        if (!c.mensaje.isEmpty()) EXPECT_EQ(interaccion.mensajes.value(interaccion.mensajes.size() - 1), c.mensaje);
    }

    // A creditor opens the documents panel; there F8, F9 and F4 open their
    // pickers, and a document chosen comes in as a row.
    auto v = vista();
    escribir(*v, v->campo("TERC_NIT"), kLacteos);
    ASSERT_EQ(v->logica().panel(), P::Documentos) << mensajes().toStdString();
    EXPECT_TRUE(v->panelDocumentos()->isVisible());
    interaccion.pantallas.clear();
    interaccion.elecciones.push_back(QVariantMap{
        {"documentos", QVariantList{QVariantMap{{"TIDO_NOMCORTO", "NDPROV"}, {"PREFIJO", "BOG"}, {"NUMERO", "000001"}}}}});
    for (Qt::Key t : {Qt::Key_F8, Qt::Key_F9, Qt::Key_F4}) v->teclado().pulsar(t, v->rejillaDocumentos()->vista());
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfconscxpagar", "Tfconcxpagar", "Tfanticiposprov"}));
    EXPECT_EQ(v->logica().detalle().recordCount(), 1) << mensajes().toStdString();
    EXPECT_EQ(v->etiqueta("nombreAcreedor")->text(), v->logica().nombreAcreedor());
    prueba::capturar(*v, "egreso-documentos");

    v->teclado().pulsar(Qt::Key_F2, v->rejillaDocumentos()->vista());
    EXPECT_EQ(v->logica().panel(), P::Ninguno) << mensajes().toStdString();
    EXPECT_EQ(v->etiqueta("sumAbono")->text(), v->logica().sumAbono().texto(2));
    QCoreApplication::processEvents();  // the layout without the panel
    prueba::capturar(*v, "egreso");

    // The cash panel takes the documents the box holds.
    v->teclado().pulsar(Qt::Key_F4, v->campo("EGRE_CONC"));
    Tfdocencaja caja(sesion, interaccion, manejador, 1);
    ASSERT_TRUE(caja.abrir());
    interaccion.elecciones.push_back(caja.elegir({0}));
    EXPECT_EQ(v->logica().formasPago().documentosEnCaja(), 1);
    prueba::capturar(*v, "egreso-caja");
    v->teclado().pulsar(Qt::Key_Escape, v->medios()->rejillaCaja()->vista());
    v->teclado().pulsar(Qt::Key_F5, v->campo("EGRE_CONC"));
    prueba::capturar(*v, "egreso-banco");
    v->teclado().pulsar(Qt::Key_Escape, v->campo("EGRE_CONC"));
    v->teclado().pulsar(Qt::Key_F7, v->campo("EGRE_CONC"));
    interaccion.elecciones.push_back(QVariantMap{
        {"documentos", QVariantList{QVariantMap{{"TIDO_NOMCORTO", "FACTURA"}, {"PREFIJO", "FV"}, {"NUMERO", "00001201"}}}}});
    v->teclado().pulsar(Qt::Key_F8, v->rejillaCruce()->vista());
    prueba::capturar(*v, "egreso-cruce");
}

// The pickers hand back what the voucher appends.
TEST_F(EgresoVista, LosSelectoresDevuelvenSuEleccion) {
    const QString nomcorto = filas("select tido_nomcorto from tipo_documento where tido_cod = 51")[0][0].toString().trimmed();
    struct Caso {
        const char* concepto;
        bool conCargo;      // the charge screen is there
        int64_t guardado;   // the charge saved there; 0: left without saving
        std::optional<QVariantMap> eleccion;
        QString mensaje;
    };
    const QVariantMap cargo{{"TIDO_NOMCORTO", nomcorto}, {"PREFIJO", "BOG"}, {"NUMERO", "000001"}};
    const std::vector<Caso> casos{
        {"ARRIENDO", true, 1, cargo, {}},
        {"ARRIENDO", true, 0, std::nullopt, {}},
        {"DTOVOL", true, 1, std::nullopt, "informacion: " + Tfconcxpagar::kSinDescuentos},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.concepto) + " " + std::to_string(c.guardado));
        interaccion.mensajes.clear();
        std::optional<PropuestaCargo> propuesta;
        ServiciosConceptos s;
        s.cargo = [&](const PropuestaCargo& p) {
            propuesta = p;
            return c.guardado;
        };
        Tfconcxpagar t(sesion, interaccion, manejador, kLacteos, QDate(2026, 12, 7), s);
        ASSERT_TRUE(t.abrir());
        ASSERT_TRUE(t.conceptos().locate("COCX_COD", fb::Value(QString::fromLatin1(c.concepto))));
        QSignalSpy cerrar(&t, &Tfconcxpagar::cerrar);
        EXPECT_EQ(t.elegir(), c.eleccion);
        EXPECT_EQ(cerrar.count(), c.eleccion ? 1 : 0);
        EXPECT_EQ(interaccion.mensajes.join('\n'), c.mensaje);
        if (QLatin1String(c.concepto) == QLatin1String("ARRIENDO")) {
            ASSERT_TRUE(propuesta);
            EXPECT_EQ(propuesta->nit, kLacteos);
            EXPECT_EQ(propuesta->prefijo, "BOG");
            EXPECT_EQ(propuesta->cuenta, "51201001");
            EXPECT_EQ(propuesta->monto, Dinero::desdeEntero(4500000));
            EXPECT_EQ(propuesta->rtftePorc, Dinero::desdeTexto(u"3.5"));
        }
    }

    // Documents held in box 1: the rows chosen, in the grid's order; none chosen, none handed.
    Tfdocencaja caja(sesion, interaccion, manejador, 1);
    ASSERT_TRUE(caja.abrir());
    ASSERT_EQ(caja.documentos().recordCount(), 2);
    interaccion.mensajes.clear();
    EXPECT_FALSE(caja.elegir({}));
    EXPECT_EQ(interaccion.de("informacion"), QStringList{Tfdocencaja::kSinSeleccion});
    const auto docs = caja.elegir({0, 1});
    ASSERT_TRUE(docs);
    QStringList montos;
    for (const QVariant& d : docs->value("documentos").toList())
        montos << d.toMap().value("EGCA_NUMERO").toString() + '=' + d.toMap().value("EGCA_MONTO").toString();
    QStringList esperados;
    for (int f : {0, 1})
        esperados << caja.documentos().row(f).asString("DPCA_NUMERO").trimmed() + '=' +
                         caja.documentos().row(f).asDinero("DPCA_MONTO").textoPlano();
    EXPECT_EQ(montos, esperados);
    EXPECT_TRUE(montos.contains("7788123=1250000")) << montos.join(' ').toStdString();

    // Receivables of the customer with a balance; the first one chosen.
    SeleccionCartera cartera(sesion.compania, interaccion, manejador, {{"TERC_NIT", kLacteos}});
    ASSERT_TRUE(cartera.buscar({}));
    ASSERT_GE(cartera.resultado().recordCount(), 1) << mensajes().toStdString();
    const auto r = cartera.aceptar(0);
    ASSERT_TRUE(r);
    const QVariantMap d = r->value("documentos").toList().value(0).toMap();
    EXPECT_EQ(d.value("PREFIJO").toString(), "FV");
    EXPECT_FALSE(d.value("NUMERO").toString().isEmpty());
    ASSERT_TRUE(cartera.buscar("99999"));
    EXPECT_EQ(cartera.resultado().recordCount(), 0);

    // A new payment class takes the next code.
    TablaReferencia clases(pagos::tablaClases(), sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(clases.abrir());
    pagos::proponerIdClase(clases.filas());
    const int64_t mayor = clases.filas().recordCount();
    clases.filas().append();
    EXPECT_EQ(clases.filas().asInt("CLEG_ID"), mayor + 1);
    clases.filas().setValue("CLEG_NOMBRE", QStringLiteral("CAJA MENOR"));
    ASSERT_TRUE(clases.grabar()) << mensajes().toStdString();
    EXPECT_EQ(filas("select count(*) from clase_egreso where cleg_nombre = 'CAJA MENOR'")[0][0].toInt64(), 1);
}

// A concept's proposal fills a new charge as typed: the concept's rates
// win over the creditor's profile, the amount runs the chain.
TEST_F(EgresoVista, LaPropuestaDeUnConceptoLlenaElCargo) {
    Tfnotasdebito cargo(sesion, interaccion, manejador, configuracion, ServiciosCargo{});
    ASSERT_TRUE(cargo.abrir()) << mensajes().toStdString();
    PropuestaCargo p;
    p.nit = kLacteos;
    p.prefijo = "BOG";
    p.concepto = "ARRIENDO MENSUAL BODEGA CALLE 26";
    p.cuenta = "51201001";
    p.monto = Dinero::desdeEntero(4500000);
    p.ivaPorc = Dinero::desdeEntero(19);
    p.rtftePorc = *Dinero::desdeTexto(u"3.5");
    p.rticaPorc = *Dinero::desdeTexto(u"9.66");
    cargo.proponer(p);
    DataSet& c = cargo.cargo();
    EXPECT_EQ(c.asString("PREF_PRE"), "BOG");
    EXPECT_EQ(c.asString("TERC_NIT"), kLacteos);
    EXPECT_EQ(c.asString("NDPR_CONC"), p.concepto);
    EXPECT_EQ(c.asString("NDPR_CTACAUSA"), "51201001");
    EXPECT_EQ(c.asDinero("NDPR_MONTO"), Dinero::desdeEntero(4500000));
    EXPECT_EQ(c.asDinero("NDPR_IVAMONTO"), Dinero::desdeEntero(855000));
    EXPECT_EQ(c.asDinero("NDPR_RTFTEPORC"), *Dinero::desdeTexto(u"3.5"));
    EXPECT_EQ(c.asDinero("NDPR_RTFTEMONTO"), Dinero::desdeEntero(157500));
    EXPECT_EQ(c.asDinero("NDPR_RTICAPORC"), *Dinero::desdeTexto(u"9.66"));
}

// A creditor's charge paid by cheque from the keyboard alone: F2 closes
// the documents, F5 and F2 the bank document, F2 saves; the cheque is tied
// to the voucher and the next voucher is blank. (Posting and printing such
// a voucher: in the voucher's road test.)
TEST_F(EgresoVista, UnPagoConChequeSoloConTeclado) {
    auto v = vista();
    Tfegresos& l = v->logica();
    l.setMoneda(170);  // pesos: the demo proposes dollars
    ASSERT_FALSE(l.egreso().asString("EGRE_NUMERO").isEmpty()) << mensajes().toStdString();
    const QString numero = l.egreso().asString("EGRE_NUMERO");
    escribir(*v, v->campo("TERC_NIT"), kLacteos);
    ASSERT_TRUE(l.documentos().agregar("NDPROV", "BOG", "000001")) << mensajes().toStdString();
    QWidget* concepto = v->campo("EGRE_CONC");
    for (QKeyCombination t : {QKeyCombination(Qt::Key_F2), QKeyCombination(Qt::Key_F5)}) v->teclado().pulsar(t, concepto);
    ASSERT_EQ(l.panel(), Tfegresos::Panel::Banco) << mensajes().toStdString();
    EXPECT_EQ(l.banco().asDinero("EGBC_MONTO"), l.egreso().asDinero("EGRE_MONTO"));
    v->teclado().pulsar(Qt::Key_F2, v->medios()->numeroBanco());
    ASSERT_EQ(l.panel(), Tfegresos::Panel::Ninguno) << mensajes().toStdString();
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, concepto));
    const int64_t id = l.ultimoId();
    ASSERT_GT(id, 0) << mensajes().toStdString();
    EXPECT_EQ(filas(QStringLiteral("select count(*) from cheques where cheq_idegreso = %1 and cheq_numero = '004513'").arg(id))[0][0].toInt64(), 1);
    EXPECT_NE(l.egreso().asString("EGRE_NUMERO"), numero) << "the next voucher takes the next number";
    EXPECT_TRUE(qobject_cast<QLineEdit*>(v->campo("TERC_NIT"))->text().isEmpty());
    EXPECT_FALSE(v->panelDocumentos()->isVisible());
}

}  // namespace

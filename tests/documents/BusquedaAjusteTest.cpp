// The charge and discount searches on the demo company: typed text never
// changes the query, dates newest first, concept anywhere ignoring case,
// annul then (administrator only) delete with the reason, a document another
// clerk annulled meanwhile, the ledger voucher going with the document, and
// the consult's net without CREE from the self-withholding date on.
#include "db/Esquema.h"
#include "documents/charges/BuscaAjusteVista.h"
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/TfnotasdebitoVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace cxp;

namespace {

class BusquedaAjuste : public prueba::EntornoAcreedores {
protected:
    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        entrar();
        ejecutar("insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si) values ('PEPE', 'C. X PAGAR', 11, 'S')");
        ejecutar("insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si) values ('PEPE', 'C. X PAGAR', 21, 'S')");
    }
    // The ids the search lists, in its order.
    QList<int64_t> buscar(BuscaAjusteVista& v, int columna, const QString& texto, bool cualquiera) {
        v.setColumnaElegida(columna);
        v.texto()->setText(texto);
        v.cualquierPosicion()->setChecked(cualquiera);
        EXPECT_TRUE(v.buscar()) << mensajes().toStdString();
        QList<int64_t> ids;
        DataSet& r = v.resultado();
        for (int i = 0; i < r.recordCount(); ++i) {
            r.setCurrentRow(i);
            ids << r.asInt(v.logica().clase().prefijoColumna + "_ID");
        }
        return ids;
    }
};

TEST_F(BusquedaAjuste, ElTextoBuscaYNoCambiaNada) {
    BuscaAjusteVista v(ClaseBusquedaAjuste::cargo(), sesion, interaccion, manejador, configuracion);
    enum { Concepto = 0, Acreedor = 1, Fecha = 2, Numero = 3 };
    const QList<int64_t> todos{1, 2, 3, 4};
    struct Caso {
        int columna;
        QString texto;
        bool cualquiera;
        QList<int64_t> ids;  // sorted for text columns, as listed for dates
        bool ordenado;
    } casos[] = {
        {Concepto, "'", true, {}, false},
        {Concepto, "' or 1=1 --", true, {}, false},
        {Concepto, "z' or 1=1 --", false, {}, false},
        {Concepto, "%", true, todos, false},
        {Concepto, "_", true, todos, false},
        {Concepto, "lácteos", true, {1}, false},
        {Concepto, "FRÍJOL", true, {2}, false},
        {Concepto, QString(300, u'A'), true, {}, false},
        {Concepto, "vigilancia", true, {3}, false},
        {Concepto, "noviembre", true, {2, 4}, false},
        {Concepto, "noviembre", false, {}, false},
        {Numero, "000003", false, {3, 4}, true},
        {Fecha, "2026/10/01", false, {2, 4, 3}, true},
        {Fecha, "", false, {2, 4, 3, 1}, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto.left(20).toStdString());
        QList<int64_t> ids = buscar(v, c.columna, c.texto, c.cualquiera);
        if (!c.ordenado) std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, c.ids);
    }
    EXPECT_EQ(contar("select count(*) from notas_debito_proveedor"), 4);
    EXPECT_EQ(contar("select count(*) from notas_debito_proveedor where ndpr_anulado = 'N'"), 4);
    v.resize(1000, 320);
    prueba::capturar(v, "busqueda_cargos");
    BuscaAjusteVista descuentos(ClaseBusquedaAjuste::descuento(), sesion, interaccion, manejador, configuracion);
    EXPECT_EQ(buscar(descuentos, Concepto, "vencido", true), QList<int64_t>{1});
    descuentos.resize(1000, 260);
    prueba::capturar(descuentos, "busqueda_descuentos");
}

// A first F3 annuls, a second deletes only for an administrator; an empty
// reason or another clerk's annulment meanwhile changes nothing; the ledger
// voucher is annulled and then deleted with the document and the stored
// balances stay right.
TEST_F(BusquedaAjuste, AnularYLuegoEliminarConSuComprobante) {
    using R = BuscaAjuste::Resultado;
    // A discount nothing crosses; a ledger voucher for it and for charge 2.
    ejecutar("insert into notas_credito_proveedor (ncpr_id, terc_nit, pref_pre, ncpr_numero, ncpr_fecha, ncpr_monto, "
             "ncpr_ivamonto, ncpr_rtftemonto, ncpr_rtivamonto, ncpr_rticamonto, ncpr_rtcreem, ncpr_conc) values "
             "(2, '901234567', 'CEN', '000002', current_date, 100000, 0, 0, 0, 0, 0, 'FALTANTE EN ENTREGA')");
    for (const auto& [tipo, id, nit] : {std::tuple{51, 2, "901234567"}, std::tuple{52, 2, "901234567"}})
        ejecutar(QStringLiteral("execute block as declare c integer; begin "
                                "insert into comprobante_encabezado (enco_consec, tico_cod, prco_pref, enco_numero, enco_fecha, "
                                "enco_concepto, enco_tiporef, enco_idref, terc_nit, enco_usuario) values (0, 'CXP', '0000', "
                                "'%1', current_date, 'PRUEBA', %2, %3, '%4', 'ADMIN') returning enco_consec into :c; "
                                "insert into comprobante_detalle (enco_consec, code_item, cuen_cod, terc_nit, code_concepto, "
                                "code_base, code_porc, code_debitos, code_creditos) values (:c, 1, '51350501', '%4', 'X', 0, 0, 100, 0); "
                                "insert into comprobante_detalle (enco_consec, code_item, cuen_cod, terc_nit, code_concepto, "
                                "code_base, code_porc, code_debitos, code_creditos) values (:c, 2, '22050501', '%4', 'X', 0, 0, 0, 100); "
                                "end")
                     .arg(800 + tipo).arg(tipo).arg(id).arg(QLatin1String(nit)));
    struct Caso {
        const ClaseBusquedaAjuste* clase;
        int64_t id;
        const char* usuario;
        const char* razon;
        bool otroAnulo;  // another clerk annulled it after the list was read
        R resultado;
        const char* estado;  // afterwards; "" deleted
        int comprobantes;    // live ledger vouchers of the document afterwards
        int anulados;        // annulled ones
    } casos[] = {
        {&ClaseBusquedaAjuste::cargo(), 2, "PEPE", "", false, R::Nada, "N", 1, 0},
        {&ClaseBusquedaAjuste::cargo(), 2, "PEPE", "DIGITADO DOS VECES", false, R::Anulado, "S", 0, 1},
        {&ClaseBusquedaAjuste::cargo(), 2, "PEPE", "DIGITADO DOS VECES", false, R::Nada, "S", 0, 1},
        {&ClaseBusquedaAjuste::cargo(), 2, "ADMIN", "DIGITADO DOS VECES", false, R::Eliminado, "", 0, 0},
        {&ClaseBusquedaAjuste::descuento(), 2, "PEPE", "YA NO VA", true, R::Nada, "S", 0, 1},
        {&ClaseBusquedaAjuste::descuento(), 2, "ADMIN", "YA NO VA", false, R::Eliminado, "", 0, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.clase->tipo).arg(c.usuario, c.razon).toStdString());
        sesion.usuario_actual = c.usuario;
        sesion.es_administrador = QLatin1String(c.usuario) == QLatin1String("ADMIN");
        const QString p = c.clase->prefijoColumna.toLower();
        DataSet lista;
        BuscaAjuste b(*c.clase, sesion, interaccion, manejador, configuracion, lista);
        lista.open(sesion.compania, b.consultaInicial());
        ASSERT_TRUE(lista.locate(c.clase->prefijoColumna + "_ID", c.id));
        if (c.otroAnulo)
            ejecutar(QStringLiteral("update %1 set %2_anulado = 'S' where %2_id = %3").arg(c.clase->tabla, p).arg(c.id));
        interaccion.mensajes.clear();
        interaccion.respuestas = {true};
        interaccion.elecciones = {QVariantMap{{"razon", QString::fromLatin1(c.razon)}}};
        EXPECT_EQ(b.eliminar(), c.resultado) << mensajes().toStdString();
        if (c.otroAnulo) {
            EXPECT_TRUE(mensajes().contains(b.yaCambiado("CEN000002"))) << mensajes().toStdString();
        }
        const auto f = fila(QStringLiteral("select %2_anulado from %1 where %2_id = %3").arg(c.clase->tabla, p).arg(c.id));
        EXPECT_EQ(f ? f->at(0).toString() : QString(), QString::fromLatin1(c.estado));
        const QString comprobantes = QStringLiteral("select count(*) from comprobante_encabezado where enco_tiporef = %1 "
                                                    "and enco_idref = %2 and enco_anulado = '%3'");
        EXPECT_EQ(contar(comprobantes.arg(c.clase->tipo).arg(c.id).arg('N')), c.comprobantes);
        EXPECT_EQ(contar(comprobantes.arg(c.clase->tipo).arg(c.id).arg('S')), c.anulados);
        EXPECT_EQ(contar("select count(*) from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')"), 0);
    }
    // The reason stays on the annulment's and the deletion's audit rows.
    EXPECT_EQ(contar("select count(*) from auditoria where tido_cod = 51 and audi_iddoc = 2 and "
                     "audi_oper in ('A', 'D') and audi_razon = 'DIGITADO DOS VECES'"), 2);
    // A charge a voucher paid is not annulled: the database says which.
    sesion.usuario_actual = "ADMIN";
    DataSet lista;
    BuscaAjuste b(ClaseBusquedaAjuste::cargo(), sesion, interaccion, manejador, configuracion, lista);
    lista.open(sesion.compania, b.consultaInicial());
    ASSERT_TRUE(lista.locate("NDPR_ID", 3));
    interaccion.respuestas = {true};
    interaccion.elecciones = {QVariantMap{{"razon", "NO"}}};
    EXPECT_EQ(b.eliminar(), R::Nada);
    EXPECT_EQ(fila("select ndpr_anulado from notas_debito_proveedor where ndpr_id = 3")->at(0).toString(), "N");
}

// The discount consult: from the self-withholding date on, CREE is not
// subtracted from the net.
TEST_F(BusquedaAjuste, NetoDelDescuentoSinCreeDesdeLaFecha) {
    ejecutar("update notas_credito_proveedor set ncpr_rtcreem = 1200 where ncpr_id = 1");
    for (const auto& [fecha, cree] : {std::pair{"2026/09/20", 0}, std::pair{"2026/09/21", 1200}}) {
        SCOPED_TRACE(fecha);
        configuracion.asignar("CARTERA", "SALDOS", "FECHA AUTORETENEDOR DE RETENCION CREE", fecha);
        Tfnotascredito2 c(sesion, interaccion, manejador, configuracion, {}, {});
        ASSERT_TRUE(c.abrir(1)) << mensajes().toStdString();
        // 300,000 + 57,000 - 7,500 - 8,550 - 1,242
        EXPECT_EQ(c.neto(), *Dinero::desdeTexto(QString::number(339708 - cree)));
    }
    auto logica = std::make_unique<Tfnotascredito2>(sesion, interaccion, manejador, configuracion, ServiciosCargo{},
                                                    ConsultaAjuste::ContabilidadConsulta{});
    ASSERT_TRUE(logica->abrir(1));
    TfnotasdebitoVista v(std::move(logica), interaccion, manejador, sesion, nullptr, TfnotasdebitoVista::Modo::Consulta);
    interaccion.pantallas.clear();
    ASSERT_TRUE(v.teclado().pulsar(Qt::Key_F12, &v));
    EXPECT_EQ(interaccion.pantallas, QStringList{"Tfnotasdoc"});
    v.resize(800, 640);
    prueba::capturar(v, "consulta_descuento");
}

}  // namespace

// Applications on the demo company: the zero sum to the cent, the rows the
// window refuses (with nothing written), the search's annulment before
// deletion, two clerks applying one advance that covers one debt, and the
// books after a posted application.
#include "documents/applications/Tfaplicacionprv.h"
#include "documents/applications/Tfbuscaplicaciones.h"
#include "tests/support/EntornoDemo.h"

using namespace cxp;
using prueba::d;

namespace {

// Creditor 830045678 of the demo: charge BOG000004 open, advance BOG000001
// of 2,000,000 paid out by a voucher.
class Aplicacion : public prueba::EntornoDemo {
protected:
    const QString nit = QStringLiteral("830045678");
    QList<int64_t> impresas;

    // A second debt of the creditor.
    void otroCargo(int id, const char* numero, const char* monto) {
        ejecutar(QStringLiteral("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
                                "NDPR_VENCE, NDPR_MONTO, NDPR_IVAMONTO, NDPR_RTFTEMONTO, NDPR_RTIVAMONTO, NDPR_RTICAMONTO, "
                                "NDPR_RTCREEM, NDPR_CONC) values (%1, '830045678', 'BOG', '%2', current_date - 2, "
                                "current_date + 30, %3, 0, 0, 0, 0, 0, 'OTRO CARGO')")
                     .arg(id).arg(QLatin1String(numero), QLatin1String(monto)));
    }
    // Posting through the review window, as the program does; or nothing.
    ServiciosAplicacion servicios(bool conta, Sesion& s) {
        ServiciosAplicacion r;
        r.abreInterfaz = [this, &s, conta](int tipo, const QString& prefijo, bool preguntar) {
            return conta ? Interfaces(s.compania, interaccion).abre_interfaz(tipo, prefijo, preguntar) : 1;
        };
        if (conta) r.contabilizar = contabilizar(53, true);
        r.imprimir = [this](int64_t id) { impresas << id; };
        return r;
    }
    std::unique_ptr<Tfaplicacionprv> pantalla(Sesion& s, bool contabilizar = false) {
        auto p = std::make_unique<Tfaplicacionprv>(s, interaccion, manejador, configuracion, servicios(contabilizar, s));
        EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        p->aplicacion().setValue("PREF_PRE", "BOG");
        p->aplicacion().setValue("TERC_NIT", nit);
        return p;
    }
    // A row typed: type, prefix, number, then the amount when given.
    void renglon(Tfaplicacionprv& p, int tipo, const char* numero, const char* aplicado = nullptr) {
        DataSet& r = p.detalle();
        r.append();
        r.setValue("TIDO_NOMCORTO", nombreCorto(tipo));
        r.setValue("APPD_PREFIJO", "BOG");
        r.setValue("APPD_NUMERO", numero);
        if (aplicado && r.state() != DataSet::State::Browse) r.setValue("APPD_APLICADO", d(aplicado));
        if (r.state() != DataSet::State::Browse && r.asInt("APPD_IDDOC") != 0) {
            try {
                r.post();
            } catch (const DataSetError& e) {
                interaccion.error(e.message());
            }
        }
    }
    int64_t aplicaciones() { return contar("select count(*) from aplicacion_provedor"); }
    QString actual() { return fila("select pref_actual from prefijos where tido_cod = 53 and pref_pre = 'BOG'")->at(0).toString(); }
};

// The rows must add up to zero to the cent; a refused save writes nothing
// and takes no number.
TEST_F(Aplicacion, SoloGrabaLaSumaCero) {
    struct Caso {
        const char *cargo, *anticipo;
        bool graba;
    } casos[] = {{"500", "-500", true}, {"499.99", "-500", false}, {"500", "-499.99", false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.cargo) + " " + c.anticipo);
        const Dinero cargo = saldoDoc(51, 4), anticipo = saldoDoc(55, 1);
        const int64_t antes = aplicaciones();
        const QString numero = actual();
        interaccion.mensajes.clear();
        impresas.clear();
        auto p = pantalla(sesion);
        renglon(*p, 51, "000004", c.cargo);
        renglon(*p, 55, "000001", c.anticipo);
        EXPECT_EQ(p->grabar(), c.graba) << mensajes().toStdString();
        EXPECT_EQ(aplicaciones(), antes + (c.graba ? 1 : 0));
        EXPECT_EQ(saldoDoc(51, 4), c.graba ? cargo - d(c.cargo) : cargo);
        EXPECT_EQ(saldoDoc(55, 1), c.graba ? anticipo - d(c.anticipo) : anticipo);
        EXPECT_EQ(impresas.size(), c.graba ? 1 : 0);
        if (c.graba) {
            EXPECT_NE(actual(), numero);
            // A new application on the same prefix, empty.
            EXPECT_EQ(p->aplicacion().asString("PREF_PRE"), "BOG");
            EXPECT_TRUE(p->detalle().isEmpty());
        } else {
            EXPECT_EQ(actual(), numero);
            EXPECT_TRUE(interaccion.de("error").contains(Tfaplicacionprv::kNoSumaCero)) << mensajes().toStdString();
        }
    }
}

// Rows the window refuses as they are typed; the application cannot be
// saved with them and nothing is written.
TEST_F(Aplicacion, FilasRechazadasNoEscribenNada) {
    // A charge of this creditor already crossed whole by a discount.
    otroCargo(30, "000030", "700");
    ejecutar("insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, NCPR_MONTO, "
             "NCPR_IVAMONTO, NCPR_RTFTEMONTO, NCPR_RTIVAMONTO, NCPR_RTICAMONTO, NCPR_RTCREEM, NCPR_CONC) values "
             "(30, '830045678', 'BOG', '000030', current_date - 1, 700, 0, 0, 0, 0, 0, 'DEVOLUCION')");
    ejecutar("insert into APLICACION_PROVEDOR (APPR_ID, PREF_PRE, APPR_NUMERO, APPR_FECHA, TERC_NIT) values "
             "(90, 'CEN', '000090', current_date - 1, '830045678')");
    ejecutar("insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, APPD_IDDOC, APPD_APLICADO) "
             "values (90, 1, 51, 30, 700)");
    ejecutar("insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, APPD_IDDOC, APPD_APLICADO) "
             "values (90, 2, 52, 30, -700)");
    struct Caso {
        const char* que;
        int tipo;
        const char *numero, *aplicado;
        QString mensaje;
    } casos[] = {
        {"de otro acreedor", 51, "000001", nullptr, Tfaplicacionprv::kNoExiste},
        {"sin saldo", 51, "000030", nullptr, Tfaplicacionprv::kNoExiste},
        {"negativo en un cargo", 51, "000004", "-500", Tfaplicacionprv::kMontoIncorrecto},
        {"positivo en un anticipo", 55, "000001", "500", Tfaplicacionprv::kMontoIncorrecto},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const int64_t antes = aplicaciones();
        interaccion.mensajes.clear();
        auto p = pantalla(sesion);
        renglon(*p, c.tipo, c.numero, c.aplicado);
        EXPECT_TRUE(mensajes().contains(c.mensaje)) << mensajes().toStdString();
        EXPECT_FALSE(p->grabar());
        EXPECT_EQ(aplicaciones(), antes);
    }
}

// Annulled first; then only an administrator deletes it.
TEST_F(Aplicacion, EliminarSoloTrasAnularYSoloElAdministrador) {
    ejecutar("insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si) values ('PEPE', 'C. X PAGAR', 41, 'S')");
    using R = Tfbuscaplicaciones::Resultado;
    struct Caso {
        bool administrador;
        R resultado;
        const char* estado;  // of application 1 afterwards
    } casos[] = {{false, R::Anulada, "S"}, {false, R::Nada, "S"}, {true, R::Eliminada, ""}};
    for (const Caso& c : casos) {
        sesion.usuario_actual = c.administrador ? "ADMIN" : "PEPE";
        sesion.es_administrador = c.administrador;
        DataSet lista;
        Tfbuscaplicaciones b(sesion, interaccion, manejador, configuracion, lista);
        lista.open(sesion.compania, b.consultaInicial());
        ASSERT_TRUE(lista.locate("APPR_ID", 1));
        interaccion.respuestas = {true};
        interaccion.elecciones = {QVariantMap{{"razon", "DIGITADA DOS VECES"}}};
        EXPECT_EQ(b.eliminar(), c.resultado) << mensajes().toStdString();
        const auto f = fila("select appr_anulado from aplicacion_provedor where appr_id = 1");
        EXPECT_EQ(f ? f->at(0).toString() : QString(), QString::fromLatin1(c.estado));
    }
    EXPECT_EQ(contar("select count(*) from aplicacion_proveedor_detalle where appr_id = 1"), 0);
    // The reason stays on the annulment's and the deletion's audit rows.
    EXPECT_EQ(contar("select count(*) from auditoria where tido_cod = 53 and audi_iddoc = 1 and "
                     "audi_oper in ('A', 'D') and audi_razon = 'DIGITADA DOS VECES'"), 2);
}

// Two clerks apply the one advance, which covers one debt, to two debts:
// the first saves, the second is refused with the balance message and
// leaves nothing.
TEST_F(Aplicacion, ElMismoAnticipoEnDosAplicacionesALaVez) {
    otroCargo(31, "000031", "2000000");
    Sesion otra;
    otra.usuario_actual = sesion.usuario_actual;
    otra.es_administrador = true;
    otra.compania = compania.conectar();
    auto p1 = pantalla(sesion);
    auto p2 = pantalla(otra);
    renglon(*p1, 51, "000004", "2000000");
    renglon(*p1, 55, "000001");
    renglon(*p2, 51, "000031");
    renglon(*p2, 55, "000001");
    ASSERT_EQ(p2->sumAplicado(), Dinero()) << mensajes().toStdString();
    const int64_t antes = aplicaciones();
    ASSERT_TRUE(p1->grabar()) << mensajes().toStdString();
    interaccion.mensajes.clear();
    EXPECT_FALSE(p2->grabar());
    EXPECT_TRUE(interaccion.de("error").contains(Tfaplicacionprv::kExcedido)) << mensajes().toStdString();
    EXPECT_EQ(aplicaciones(), antes + 1);
    EXPECT_EQ(saldoDoc(55, 1), Dinero());
    EXPECT_EQ(saldoDoc(51, 31), d("2000000"));
}

// Posted, the application's ledger voucher balances in both charts and
// moves the creditor's payable and advance accounts as its subledger;
// annulled, everything goes back.
TEST_F(Aplicacion, ContabilizadaCuadraConElAuxiliar) {
    auto cuenta = [this](const char* c) {
        return dinero(QStringLiteral("select coalesce(sum(d.code_creditos - d.code_debitos), 0) from comprobante_detalle d "
                                     "join comprobante_encabezado e on e.enco_consec = d.enco_consec where d.terc_nit = '%1' "
                                     "and e.enco_anulado = 'N' and d.cuen_cod = '%2'").arg(nit, QLatin1String(c)));
    };
    // The creditor's own payable account, else its group's.
    const QByteArray pagar = fila("select coalesce(p.prov_ctapagar, g.grpr_ctaprov) from proveedores p join grupos_proveedores g on "
                                  "g.grpr_cod = p.grpr_cod where p.terc_nit = '830045678'")
                                 ->at(0).toString().trimmed().toLatin1();
    const Dinero proveedores = cuenta(pagar.constData()), anticipos = cuenta("13300501");
    const Dinero cargo = saldoDoc(51, 4), anticipo = saldoDoc(55, 1);
    auto p = pantalla(sesion, true);
    renglon(*p, 51, "000004", "1500000");
    renglon(*p, 55, "000001", "-1500000");
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    const int64_t id = contar("select max(appr_id) from aplicacion_provedor");
    cuadraEnAmbosPlanes(53, id);
    EXPECT_EQ(dinero(QStringLiteral("select sum(d.code_debitos) from comprobante_detalle d join comprobante_encabezado e on "
                                    "e.enco_consec = d.enco_consec where e.enco_tiporef = 53 and e.enco_idref = %1").arg(id)),
              d("1500000"));
    EXPECT_EQ(cuenta(pagar) - proveedores, saldoDoc(51, 4) - cargo);
    EXPECT_EQ(cuenta("13300501") - anticipos, saldoDoc(55, 1) - anticipo);

    // Annulled from the search: documents and accounts back where they were.
    DataSet lista;
    Tfbuscaplicaciones b(sesion, interaccion, manejador, configuracion, lista);
    lista.open(sesion.compania, b.consultaInicial());
    ASSERT_TRUE(lista.locate("APPR_ID", id));
    interaccion.respuestas = {true};
    interaccion.elecciones = {QVariantMap{{"razon", "MAL APLICADA"}}};
    ASSERT_EQ(b.eliminar(), Tfbuscaplicaciones::Resultado::Anulada) << mensajes().toStdString();
    EXPECT_EQ(saldoDoc(51, 4), cargo);
    EXPECT_EQ(saldoDoc(55, 1), anticipo);
    EXPECT_EQ(cuenta(pagar.constData()), proveedores);
    EXPECT_EQ(cuenta("13300501"), anticipos);
}

}  // namespace

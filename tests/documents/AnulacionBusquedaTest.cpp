// F3 of the five document searches on the demo company, when another clerk
// annulled the row after the list was read: nothing is written again, the
// clerk is told, the list is read again, the other clerk's reason stays.
#include "documents/applications/Tfbuscaplicaciones.h"
#include "documents/charges/BuscaAjuste.h"
#include "documents/payments/Tfbuscegreso.h"
#include "documents/programacion/BusquedaProgramacion.h"
#include "documents/service/Tfbuscaordenes.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

#include <functional>

using namespace cxp;

namespace {

TEST(AnulacionBusqueda, LoQueOtroAnuloMientrasTantoNoSeTocaDeNuevo) {
    prueba::BaseTemporal base{prueba::plantillaDemo()};
    fb::Database db = base.conectar();
    prueba::InteraccionGrabada interaccion;
    Sesion sesion;
    sesion.usuario_actual = QStringLiteral("ADMIN");
    sesion.es_administrador = true;
    sesion.compania = base.conectar();
    ManejadorErrores manejador{interaccion, sesion, nullptr};
    Configuracion configuracion{interaccion};
    configuracion.cargar(sesion.compania);
    configuracion.asignar("GENERAL", "GENERAL", "ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS", "SI");
    db.executeDirect("insert into prefijos (tido_cod, pref_pre, pref_actual, pref_auto, pref_ivainc, pref_activo, "
                     "sucu_id) values (57, 'PP', '000002', 'N', 'N', 'S', 0)");
    db.executeDirect("insert into programacion_pagos_enc (prpg_id, prpg_pref, prpg_numero, prpg_fecha, prpg_conc) "
                     "values (1, 'PP', '000001', current_date, 'PLAN')");
    DataSet lista;
    int releidas = 0;
    Tfbuscegreso egresos(sesion, interaccion, manejador, configuracion, lista);
    Tfbuscaplicaciones aplicaciones(sesion, interaccion, manejador, configuracion, lista);
    Tfbuscaordenes ordenes(sesion, interaccion, manejador, configuracion, lista);
    Tfbuscanotdebito cargos(sesion, interaccion, manejador, configuracion, lista);
    BusquedaProgramacion planes(sesion, interaccion, manejador, configuracion, lista);
    auto contar = [&] { ++releidas; };
    QObject::connect(&egresos, &Tfbuscegreso::refrescar, contar);
    QObject::connect(&aplicaciones, &Tfbuscaplicaciones::refrescar, contar);
    QObject::connect(&ordenes, &Tfbuscaordenes::refrescar, contar);
    QObject::connect(&cargos, &BuscaAjuste::refrescar, contar);
    planes.setAlRefrescar(contar);
    const struct {
        int tipo;
        const char *tabla, *columna, *campo;
        QString consulta;
        std::function<bool()> f3;  // true when it changed the document
    } casos[] = {
        {62, "egresos", "egre", "EGRE_ID", egresos.consulta(0, "", false),
         [&] { return egresos.eliminar() != Tfbuscegreso::Resultado::Nada; }},
        {53, "aplicacion_provedor", "appr", "APPR_ID", aplicaciones.consultaInicial(),
         [&] { return aplicaciones.eliminar() != Tfbuscaplicaciones::Resultado::Nada; }},
        {56, "orden_servicio", "orse", "ORSE_ID", ordenes.consultaInicial(), [&] { return ordenes.anular(); }},
        {51, "notas_debito_proveedor", "ndpr", "NDPR_ID", cargos.consultaInicial(),
         [&] { return cargos.eliminar() != BuscaAjuste::Resultado::Nada; }},
        {57, "programacion_pagos_enc", "prpg", "ID", planes.consultaInicial(), [&] { return planes.anular(); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tabla);
        lista.open(sesion.compania, c.consulta);
        ASSERT_FALSE(lista.isEmpty());
        const int64_t id = lista.asInt(QString::fromLatin1(c.campo));
        ASSERT_EQ(db.executeDirect(QStringLiteral("update %1 set %2_anulado = 'S' where %2_anulado = 'N' and %2_id = %3")
                                       .arg(c.tabla, c.columna).arg(id)),
                  1);
        const QString razones = QStringLiteral("select list(audi_razon) from auditoria where audi_oper = 'A' and "
                                               "audi_iddoc = %1 and tido_cod = %2").arg(id).arg(c.tipo);
        db.executeDirect(QStringLiteral("update auditoria set audi_razon = 'DEL OTRO'") + razones.mid(razones.indexOf(" where")));
        interaccion.mensajes.clear();
        interaccion.elecciones = {QVariantMap{{"razon", "MIA"}}};
        interaccion.respuestas = {true};
        releidas = 0;
        EXPECT_FALSE(c.f3());
        const QString mensajes = interaccion.mensajes.join(u'\n');
        EXPECT_TRUE(mensajes.contains(QStringLiteral("No se hizo ningún cambio."))) << mensajes.toStdString();
        EXPECT_EQ(releidas, 1);
        EXPECT_EQ(db.queryOne(razones)->at(0).toString(), "DEL OTRO");
    }
}

}  // namespace

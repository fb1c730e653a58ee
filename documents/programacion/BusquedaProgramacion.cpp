#include "documents/programacion/BusquedaProgramacion.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/AnulacionBusqueda.h"
#include "data/fb/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace cxp {

namespace {
const QString kProveedor = QStringLiteral("QBuscaProgramacion");
}

BusquedaProgramacion::BusquedaProgramacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                           const Configuracion& configuracion, DataSet& lista)
    : sesion_(sesion), interaccion_(interaccion), manejador_(manejador), configuracion_(configuracion), lista_(lista) {}

QString BusquedaProgramacion::consultaBase() const {
    const QString columnas = QStringLiteral(
        "select max(e.prpg_id) id,max(e.prpg_conc) conc,max(e.prpg_anulado) anulado,max(e.prpg_numero) numero,"
        "max(e.prpg_pref) pref,max(e.prpg_fecha) fecha, sum(d.prpg_abono) monto, max(e.prpg_confirmado) confirmado, "
        "count(d.prpg_item) items ");
    // A plan saved before it has rows is listed too (amount empty, no
    // rows), so that it can be opened, annulled and deleted.
    const QString planes =
        QStringLiteral("from programacion_pagos_enc e left join programacion_pagos d on d.prpg_id = e.prpg_id");
    if (sesion_.agencia_actual == 0) return columnas + planes + QStringLiteral(" where e.prpg_id <> 0");
    return columnas + planes +
           QStringLiteral(" join prefijos p on p.tido_cod = 57 and p.pref_pre = e.prpg_pref where e.prpg_id <> 0 "
                          "and (p.sucu_id = ") +
           sql::numero(int64_t(sesion_.agencia_actual)) + QStringLiteral(" or p.sucu_id = 0)");
}

QString BusquedaProgramacion::consultaInicial() const {
    return consultaBase() + QStringLiteral(" GROUP BY e.prpg_id order by 6");
}

const std::vector<ColumnaBusqueda>& BusquedaProgramacion::columnas() {
    using T = ColumnaBusqueda::Tipo;
    static const std::vector<ColumnaBusqueda> c{
        {QStringLiteral("Conce&pto"), QStringLiteral("g.conc"), T::Texto, false},
        {QStringLiteral("&Fecha"), QStringLiteral("g.fecha"), T::Fecha, false},
        {QStringLiteral("&Número"), QStringLiteral("g.numero"), T::Texto, false},
    };
    return c;
}

QString BusquedaProgramacion::consultaAgrupada() const {
    return QStringLiteral("select * from (") + consultaBase() + QStringLiteral(" GROUP BY e.prpg_id) g");
}

bool BusquedaProgramacion::anular() {
    static const DocumentoAnulable plan{
        .tipo = kTipo,
        .tabla = QStringLiteral("programacion_pagos_enc"),
        .prefijo = QStringLiteral("prpg"),
        .columnaUsuario = QStringLiteral("prpg_user"),
        .campoId = QStringLiteral("ID"),
        .campoAnulado = QStringLiteral("ANULADO"),
        .campoPrefijo = QStringLiteral("PREF"),
        .campoNumero = QStringLiteral("NUMERO"),
        .preguntaAnular = QStringLiteral("Esta seguro de anular la programación de pagos No"),
        .preguntaEliminar = QStringLiteral("Esta seguro de eliminar completamente la programación de pagos "),
        .proveedor = kProveedor,
    };
    const Anulacion hecho = anule_o_elimine(plan, valide_acceso(sesion_, kDerecho), sesion_, interaccion_, manejador_,
                                            configuracion_, lista_);
    if (releerTras(hecho) && alRefrescar_) alRefrescar_();
    return hecho == Anulacion::Anulado || hecho == Anulacion::Eliminado;
}

std::optional<int> BusquedaProgramacion::exportar(int64_t id, const QDate& fecha, const QString& secuencia,
                                                  const QString& formato, QString ruta) {
    if (QFileInfo(ruta).suffix().isEmpty()) ruta += QStringLiteral(".txt");
    std::vector<fb::Row> filas;
    try {
        const QString corta = QStringLiteral("yyyy/MM/dd");
        filas = sesion_.compania.query(QStringLiteral("SELECT * FROM ARCHIVO_BANCO_CXP(") + sql::numero(id) + u',' +
                                       sql::texto(QDate::currentDate().toString(corta)) + u',' +
                                       sql::texto(fecha.toString(corta)) + u',' + sql::texto(secuencia) + u',' +
                                       sql::texto(formato) + u')');
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return std::nullopt;
    }
    // Bank files are plain ASCII; the procedure already gives it.
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) {
        interaccion_.error(QStringLiteral("No se pudo escribir el archivo ") + ruta + QStringLiteral("."));
        return std::nullopt;
    }
    for (const fb::Row& f : filas) archivo.write(f[0].toString().toLatin1() + "\r\n");
    if (!archivo.commit()) {
        interaccion_.error(QStringLiteral("No se pudo escribir el archivo ") + ruta + QStringLiteral("."));
        return std::nullopt;
    }
    return int(filas.size());
}

}  // namespace cxp

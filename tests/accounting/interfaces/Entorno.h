#pragma once
// A scratch company for the interface definitions: the session with its
// connection, the scripted Interaccion, the error handler and the
// configuration; voucher prefixes, a second charge prefix, accounts, and a
// builder of definitions.
#include "base/Sql.h"
#include "tests/support/EntornoCompania.h"

namespace prueba {

class EntornoInterfaces : public EntornoCompania {
protected:
    void SetUp() override {
        ejecutar("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF) values ('CXP', '0000')");
        ejecutar("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF) values ('CXP', '01')");
        ejecutar("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF) values ('APE', '0000')");
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'NORT', '000001')");
        // Ids given by the tests stay below those of the sequence.
        ejecutar("alter sequence GEN_INTERFAZ_CXPAGAR restart with 1000");
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (52, 'SUR', '000001')");
        for (const char* c : {"1", "14", "1435", "143505", "2", "24", "2408", "240801", "22", "2205", "220505"})
            ejecutar(QStringLiteral("insert into CUENTAS (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values ('%1', 'C', 'D')")
                         .arg(QString::fromLatin1(c)));
        sesion.usuario_actual = QStringLiteral("CONTADOR");
        sesion.es_administrador = true;
        sesion.compania = compania.conectar();
        configuracion.cargar(sesion.compania);
    }
    int cuenta(const QString& sql) const { return int(filas(sql).at(0)[0].toInt64()); }
    // A definition with its NIIF row and `lineas` additional lines.
    int unaInterfaz(int id, const QString& nombre, int tipo = 51, const QString& prefijo = QStringLiteral("0000"),
                    int lineas = 0) {
        const QString n = QString::number(id);
        ejecutar("insert into INTERFAZ_CXPAGAR (INCP_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCP_NOMBRE, "
                 "INCP_BASE, INCP_CTABASE, INCP_IVA, INCP_CTAIVA, INCP_PROV, INCP_CTAPROV, INCP_CTADTO1, INCP_CTADTO3, "
                 "INCP_CONFIRMAR, INCP_USUARIO, INCP_EQUIVALENCIA, INCP_RTCREE, INCP_CTARTCREE) values (" +
                 n + "," + QString::number(tipo) + "," + cxp::sql::texto(prefijo) + ", 'CXP', '01', " +
                 cxp::sql::texto(nombre) +
                 ", 'K', '143505', 'K', '240801', 'K', '220505', '530505', '530510', 'S', 'OTRO', 'S', 'K', '236575')");
        ejecutar("insert into INTERFAZ_CXPAGAR_NIIF (INCP_ID, INCP_BASE, INCP_CTABASE, INCP_PROV, INCP_CTAPROV, "
                 "INCP_RTCREE) values (" + n + ", 'K', '14350501', 'K', '22050501', 'T')");
        for (int i = 1; i <= lineas; ++i)
            ejecutar("insert into INTERFAZ_CXPAGAR_CTAS (INCP_ID, INPC_ITEM, INPC_CUENTA, INPC_BASE, INPC_VALOR, "
                     "INPC_PORC, INPC_DB, INPC_CN) values (" + n + "," + QString::number(i * 10) + ", '5105" +
                     QString::number(i) + "', 'BASE', " + QString::number(i) + ".50, 1.25, 'N', 'N')");
        return id;
    }
};

}  // namespace prueba

#include "tests/accounting/contabilizacion/Entorno.h"

#include "base/Sql.h"

namespace prueba {

using cxp::sql::texto;

void EntornoContabilizacion::SetUp() {
    entrar();
    for (const char* tabla : {"CUENTAS", "CUENTAS_NIIF"}) {
        const QString t = QString::fromLatin1(tabla);
        // The levels above the accounts that take movements.
        for (const char* nivel : {"1", "11", "1105", "15", "1524", "2", "22", "2205", "23", "2365", "5", "51", "5135"})
            ejecutar(QStringLiteral("insert into %1 (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values ('%2', 'NIVEL %2', 'D')")
                         .arg(t, QString::fromLatin1(nivel)));
        for (const char* fila :
             {"'110505', 'CAJA GENERAL', 'D', 'N', 'N', 'N', null, 0, 0",
              "'220505', 'PROVEEDORES NACIONALES', 'C', 'S', 'N', 'N', null, 0, 0",
              "'236540', 'RETENCION COMPRAS', 'C', 'S', 'N', 'S', null, 0, 0",
              "'236525', 'RETENCION SERVICIOS', 'C', 'N', 'N', 'N', null, 1000, 4",
              "'513505', 'ASEO Y VIGILANCIA', 'D', 'N', 'S', 'N', null, 0, 0",
              "'152405', 'EQUIPO DE OFICINA', 'D', 'N', 'N', 'N', 'A', 0, 0"})
            ejecutar(QStringLiteral("insert into %1 (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA, CUEN_TERCERO, CUEN_CENTRO, "
                                    "CUEN_RETENCION, CUEN_TIPO, CUEN_BASEMIN, CUEN_PORC) values (%2)")
                         .arg(t, QString::fromLatin1(fila)));
    }
    ejecutar(QStringLiteral("insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV) values ('800100', 'ACME', 'S')"));
    ejecutar(QStringLiteral("insert into PROYECTOS (PROY_COD, PROY_NOM) values ('01', 'ADMINISTRACION')"));
    ejecutar(QStringLiteral("insert into CENTROS (PROY_COD, CENT_COD, CENT_NOM, SUCU_ID) values ('01', '01', 'GERENCIA', 0)"));
    ejecutar(QStringLiteral("insert into CENTROS (PROY_COD, CENT_COD, CENT_NOM, SUCU_ID) values ('01', '02', 'SUR', 2)"));
}

int EntornoContabilizacion::pendiente(int tipo, int id, const std::vector<Linea>& lineas) {
    const int cntb = int(entero(QStringLiteral("select next value for GEN_CONTABILIZACION from rdb$database")));
    ejecutar(QStringLiteral("insert into CONTABILIZACION (CNTB_ID, CNTB_TIPOREF, CNTB_IDREF, CNTB_PREFREF, CNTB_NUMREF, "
                            "CNTB_FECHA, CNTB_TIPOCOMP, CNTB_PREFCNT, CNTB_NUMERO, CNTB_REF, CNTB_CONCEPTO, TERC_NIT) "
                            "values (%1, '%2', %3, '0000', '000001', '2026/03/10', 'CXP', '0000', '000007', 'R-1', "
                            "'CARGO 0000-000001', '800100')")
                 .arg(cntb)
                 .arg(tipo)
                 .arg(id));
    for (const Linea& l : lineas)
        ejecutar(QStringLiteral("insert into CONTABILIZACION_DET (CNTB_ID, CNDE_ITEM, CNDE_CUENTA, CNDE_TERC, CNDE_CONC, "
                                "CNDE_DEBITOS, CNDE_CREDITOS) values (%1, %2, %3, %4, %5, %6, %7)")
                     .arg(cntb)
                     .arg(l.item)
                     .arg(texto(l.cuenta), l.tercero.isEmpty() ? QStringLiteral("null") : texto(l.tercero),
                          l.concepto.isEmpty() ? QStringLiteral("null") : texto(l.concepto), l.debito, l.credito));
    return cntb;
}

int EntornoContabilizacion::comprobante(int tipo, int id, const std::vector<Linea>& local,
                                        const std::vector<Linea>& niif) {
    const int consec = int(entero(QStringLiteral("select next value for GEN_COMPROBANTE from rdb$database")));
    ejecutar(QStringLiteral("insert into COMPROBANTE_ENCABEZADO (ENCO_CONSEC, TICO_COD, PRCO_PREF, ENCO_NUMERO, "
                            "ENCO_FECHA, ENCO_CONCEPTO, ENCO_TIPOREF, ENCO_IDREF) values (%1, 'CXP', '0000', '%2', "
                            "'2026/03/10', 'ANTERIOR', %3, %4)")
                 .arg(consec)
                 .arg(consec, 6, 10, QLatin1Char('0'))
                 .arg(tipo)
                 .arg(id));
    for (const auto& [tabla, lineas] : {std::pair{QStringLiteral("COMPROBANTE_DETALLE"), &local},
                                        std::pair{QStringLiteral("COMPROBANTE_DETALLE_NIIF"), &niif}})
        for (const Linea& l : *lineas)
            ejecutar(QStringLiteral("insert into %1 (ENCO_CONSEC, CODE_ITEM, CUEN_COD, CODE_DEBITOS, CODE_CREDITOS) "
                                    "values (%2, %3, %4, %5, %6)")
                         .arg(tabla)
                         .arg(consec)
                         .arg(l.item)
                         .arg(texto(l.cuenta), l.debito, l.credito));
    return consec;
}

}  // namespace prueba

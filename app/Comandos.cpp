#include "app/Comandos.h"

#include "data/Interaccion.h"

namespace cxp {

namespace comandos {

namespace {

Comando pantalla(QString id, QString menu, QString titulo, QString atajo, int derecho, QString pantalla,
                 QString alterno = {}, QVariantMap args = {}) {
    Comando c;
    c.id = std::move(id);
    c.menu = std::move(menu);
    c.titulo = std::move(titulo);
    c.atajo = std::move(atajo);
    c.derecho = derecho;
    c.pantalla = std::move(pantalla);
    c.alterno = std::move(alterno);
    c.argumentos = std::move(args);
    return c;
}

Comando aviso(QString id, QString menu, QString titulo, int derecho) {
    Comando c = pantalla(std::move(id), std::move(menu), std::move(titulo), {}, derecho, {});
    c.accion = Accion::Aviso;
    return c;
}

Comando ninguna(QString id, QString menu, QString titulo, QString atajo) {
    Comando c = pantalla(std::move(id), std::move(menu), std::move(titulo), std::move(atajo), -1, {});
    c.accion = Accion::Ninguna;
    return c;
}

const QString A = QStringLiteral("Acreedores");
const QString DC = QStringLiteral("Documentos/Cargos");
const QString DD = QStringLiteral("Documentos/Descuentos");
const QString DP = QStringLiteral("Documentos/Pagos");
const QString DA = QStringLiteral("Documentos/Aplicaciones");
const QString DN = QStringLiteral("Documentos/Anticipos");
const QString DO = QStringLiteral("Documentos/Ordenes de servicio");
const QString I = QStringLiteral("Informes");
const QString IC = QStringLiteral("Informes/Comprobantes");
const QString IM = QStringLiteral("Informes/Movimientos");
const QString IX = QStringLiteral("Informes/Cuentas por pagar");
const QString M = QStringLiteral("Mantenimiento");

}  // namespace

const std::vector<Comando>& principal() {
    const QVariantMap gestion{{kArgGestion, true}};
    const QVariantMap noModal{{kArgNoModal, true}};
    static const std::vector<Comando> tabla{
        pantalla("acreedor.nuevo", A, "&Nuevo acreedor", "Ctrl+A", 0, "Tfnvotercero"),
        // From the main window the creditor search is always the management screen.
        pantalla("acreedor.buscar", A, "&Busqueda acreedores", "Ctrl+B", 1, "Tfbuscprove", {}, gestion),
        ninguna("acreedor.cxp", A, "&Ver cuentas por pagar", "Shift+F9"),
        pantalla("cargo.originar", DC, "Originar &cargos", {}, 10, "Tfnotasdebito", "cargo.buscar"),
        pantalla("cargo.buscar", DC, "&Busqueda cargos", "Shift+F1", 11, "Tfbuscanotdebito"),
        pantalla("descuento.originar", DD, "Originar &descuento", {}, 20, "Tfnotascredito", "descuento.buscar"),
        pantalla("descuento.buscar", DD, "&Busqueda descuentos", "Shift+F2", 21, "Tfbuscancredito"),
        pantalla("egreso.generar", DP, "&Generar egresos", {}, 30, "Tfegresos", "egreso.buscar"),
        pantalla("egreso.buscar", DP, "&Busqueda de egresos", "Shift+F3", 31, "Tfbuscegreso"),
        // The voucher's own tables, kept by those who may write vouchers.
        pantalla("egreso.clases", DP, "&Clases de egreso", {}, 30, "Tfclaseegr"),
        pantalla("egreso.conceptos", DP, "C&onceptos por pagar", {}, 30, "Tfregconcxpagar"),
        pantalla("aplicacion.ejecutar", DA, "&Ejecutar aplicación", {}, 40, "Tfaplicacionprv", "aplicacion.buscar"),
        pantalla("aplicacion.buscar", DA, "&Busqueda aplicaciones", "Shift+F4", 41, "Tfbuscaplicaciones"),
        pantalla("anticipo.buscar", DN, "&Busqueda anticipos", "Shift+F5", 51, "Tfbuscantipos"),
        pantalla("informe.proveedores", I, "&Proveedores", {}, 70, "Tfrepoproveedor"),
        pantalla("informe.consecutivos", IC, "Con&secutivos", {}, 81, "Tfrepoconsecutivo"),
        pantalla("informe.cronologico", IC, "Cro&nológico", {}, 80, "Tfrepocrono"),
        pantalla("informe.movimiento", IM, "Movimiento por &acreedor", {}, 90, "Tfrepomovprove"),
        pantalla("informe.estados", IM, "&Estados de cuenta", {}, 91, "Tfrepoestdocuentas"),
        pantalla("informe.retenciones", IM, "&Retenciones", {}, 92, "Tfreporelaprov"),
        pantalla("informe.relacion", IX, "&Relación ctas. x pagar", {}, 100, "Tfrepocxpaga"),
        pantalla("informe.analisis", IX, "&Análisis", {}, 101, "Tfrepoanalisi"),
        pantalla("informe.docacreedor", IX, "&Doc. por acreedor", {}, 102, "TfrepDoc_prov"),
        pantalla("mant.grupos", M, "&Grupos de proveedor", {}, 60, "Tfgruposprov"),
        pantalla("mant.numeracion", M, "&Numeración", {}, 61, "TFConsecut"),
        pantalla("mant.ciudades", M, "&Ciudades", {}, 62, "Tfciudades"),
        pantalla("mant.formatos", M, "&Formatos impresión", {}, 63, "Tfformatos"),
        pantalla("mant.interfaz", M, "Interfa&z contable", {}, 64, "Tfinterfaces"),
        pantalla("mant.importar", M, "&Importar datos", {}, 65, "Tfimportar"),
        // Export makes the import's check and then only shows the notice.
        aviso("mant.exportar", M, "&Exportar datos", 65),
        pantalla("mant.recalculo", M, "&Recalculo de saldos", {}, 66, "Tfchequeosaldos", {}, noModal),
        pantalla("mant.procedimientos", M, "Procedimientos usuario", {}, 67, "Tfprocedimientos"),
        pantalla("mant.retenciones", M, "Cambiar retenciones", {}, 68, "Tfcambiaretes"),
        // Buttons only.
        pantalla("consulta.movimiento", {}, "Movimiento acreedor", {}, 110, kMovimientoCxp),
        pantalla("consulta.analisis", {}, "Análisis Cuentas x pagar", {}, 111, kAnalisisCxp),
        pantalla("consulta.programar", {}, "Programar pagos", {}, 112, "Tfbuscaprogpagos"),
        pantalla("consulta.analisismov", {}, "Análisis movimiento", {}, 113, "Tfanalisismovcxp"),
        // Without right 120 the order search, which needs none.
        pantalla("orden.nueva", DO, "&Orden servicio ", {}, 120, "Tfordenservicio", "orden.buscar"),
        pantalla("orden.buscar", DO, "&Busqueda ordenes", {}, -1, "Tfbuscaordenes"),
        pantalla("menu.informes", {}, " &Informes ", {}, -1, "Tfmenureportes1"),
        pantalla("menu.mantenimiento", {}, " &Mantenimiento ", {}, -1, kMenuMantenimiento),
        pantalla("ventana.mensaje", {}, "Mensaje", "Ctrl+M", -1, kMensaje),
    };
    return tabla;
}

const std::vector<Comando>& mantenimiento() {
    const QVariantMap noModal{{kArgNoModal, true}};
    // The numbers differ from the main menu's for export (66 against 65),
    // recalculation (67 against 66) and 68 (authorizations here).
    static const std::vector<Comando> tabla{
        pantalla("mm.grupos", {}, "Grupos proveedor", {}, 60, "Tfgruposprov"),
        pantalla("mm.numeracion", {}, "&Numeración ", {}, 61, "TFConsecut"),
        pantalla("mm.ciudades", {}, "Ciudades ", {}, 62, "Tfciudades"),
        pantalla("mm.formatos", {}, "Formatos impresión ", {}, 63, "Tfformatos"),
        pantalla("mm.interfaz", {}, "&Interfaz contable ", {}, 64, "Tfinterfaces"),
        pantalla("mm.importar", {}, "Importar datos ", {}, 65, "Tfimportar"),
        aviso("mm.exportar", {}, "Exportar datos ", 66),
        pantalla("mm.recalculo", {}, "Recálculo de saldos", {}, 67, "Tfchequeosaldos", {}, noModal),
        pantalla("mm.autorizacion", {}, "Autorización DIAN ", {}, 68, "Tfautorizacion"),
    };
    return tabla;
}

const std::vector<Boton>& columna() {
    static const std::vector<Boton> botones{
        {"&Acreedores ", "acreedor.buscar"},
        {"&Cargos por pagar", "cargo.originar"},
        {"&Descuentos ", "descuento.originar"},
        {"&Pagos acreedor", "egreso.generar"},
        {"Ap&licación crédito", "aplicacion.ejecutar"},
        {"A&nticipos ", "anticipo.buscar"},
        {" &Informes ", "menu.informes"},
        {" &Mantenimiento ", "menu.mantenimiento"},
    };
    return botones;
}

const std::vector<Boton>& consultas() {
    static const std::vector<Boton> botones{
        {"Movimiento acreedor", "consulta.movimiento"},
        {"Análisis Cuentas x pagar", "consulta.analisis"},
        {"Programar pagos", "consulta.programar"},
        {"Análisis movimiento", "consulta.analisismov"},
        {"&Orden servicio ", "orden.nueva"},
    };
    return botones;
}

}  // namespace comandos

Despachador::Despachador(Interaccion& interaccion, Acceso acceso, Existe existe, const std::vector<Comando>& tabla)
    : interaccion_(interaccion), acceso_(std::move(acceso)), existe_(std::move(existe)), tabla_(tabla) {}

const Comando* Despachador::buscar(const QString& id) const {
    for (const Comando& c : tabla_)
        if (c.id == id) return &c;
    return nullptr;
}

bool Despachador::permitido(const QString& id) const {
    const Comando* c = buscar(id);
    if (!c) return false;
    if (c->derecho < 0 || acceso_(c->derecho)) return true;
    return !c->alterno.isEmpty() && permitido(c->alterno);
}

bool Despachador::disponible(const QString& id) const {
    const Comando* c = buscar(id);
    if (!c) return false;
    if (c->derecho >= 0 && !acceso_(c->derecho))
        return c->alterno.isEmpty() || disponible(c->alterno);  // the refusal message, or the fallback
    return disponibleSinDerechos(id);
}

bool Despachador::disponibleSinDerechos(const QString& id) const {
    const Comando* c = buscar(id);
    if (!c) return false;
    switch (c->accion) {
        case Accion::Aviso:
            return true;
        case Accion::Ninguna:
            return false;
        case Accion::Pantalla:
            return existe_(c->pantalla);
    }
    return false;
}

bool Despachador::ejecutar(const QString& id) {
    const Comando* c = buscar(id);
    if (!c) return false;
    if (c->derecho >= 0 && !acceso_(c->derecho)) {
        // The document commands go straight to their search, without a
        // message of their own.
        if (!c->alterno.isEmpty()) return ejecutar(c->alterno);
        interaccion_.error(comandos::kAccesoNegado);
        return false;
    }
    switch (c->accion) {
        case Accion::Ninguna:
            return false;
        case Accion::Aviso:
            interaccion_.informacion(comandos::kAvisoMantenimiento);
            return true;
        case Accion::Pantalla:
            return interaccion_.abrirPantalla(c->pantalla, c->argumentos);
    }
    return false;
}

}  // namespace cxp

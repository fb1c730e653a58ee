#include "creditors/TablaReferencia.h"

#include "creditors/FichaAcreedor.h"
#include "data/Contabilidad.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
QString s(const char* t) { return QString::fromUtf8(t); }
}  // namespace

const QList<DefinicionTabla>& TablaReferencia::definiciones() {
    static const QList<DefinicionTabla> d = [] {
        QList<DefinicionTabla> r;
        DefinicionTabla g;
        g.pantalla = s("Tfgruposprov");
        g.titulo = s("Grupos de proveedores");
        g.tabla = s("GRUPOS_PROVEEDORES");
        g.clave = s("GRPR_COD");
        g.orden = s("GRPR_COD");
        g.columnas = {{s("GRPR_COD"), s("Código")},          {s("GRPR_NOM"), s("Nombre")},
                      {s("GRPR_CTAPROV"), s("Cta. proveedor")}, {s("GRPR_CTARTFTE"), s("Cta. rete-fuente")},
                      {s("GRPR_CTARTIVA"), s("Cta. rete-IVA")},  {s("GRPR_CTARTICA"), s("Cta. rete-ICA")},
                      {s("GRPR_CTAANTI"), s("Cta. anticipos")},  {s("GRPR_CTAPROVNIIF"), s("Cta. proveedor NIIF")},
                      {s("GRPR_CTARFTENIIF"), s("Rete-fuente NIIF")}, {s("GRPR_CTARIVANIIF"), s("Rete-IVA NIIF")},
                      {s("GRPR_CTARICANIIF"), s("Rete-ICA NIIF")},    {s("GRPR_CTAANTINIIF"), s("Anticipos NIIF")}};
        g.cuentas = {s("GRPR_CTAPROV"), s("GRPR_CTARTFTE"), s("GRPR_CTARTIVA"), s("GRPR_CTARTICA"), s("GRPR_CTAANTI")};
        g.cuentasNiif = {s("GRPR_CTAPROVNIIF"), s("GRPR_CTARFTENIIF"), s("GRPR_CTARIVANIIF"), s("GRPR_CTARICANIIF"),
                         s("GRPR_CTAANTINIIF")};
        r << g;
        DefinicionTabla c;
        c.pantalla = s("Tfciudades");
        c.titulo = s("Ciudades");
        c.tabla = s("CIUDADES");
        c.clave = s("CIUD_COD");
        c.orden = s("CIUD_NOM");
        c.columnas = {{s("CIUD_COD"), s("Código")}, {s("CIUD_NOM"), s("Ciudad")}, {s("CIUD_DPTO"), s("Departamento")},
                      {s("CIUD_ACTIVA"), s("Activa")}};
        c.selecciona = true;
        r << c;
        DefinicionTabla p;
        p.pantalla = s("Tfpaises");
        p.titulo = s("Paises");
        p.tabla = s("PAISES");
        p.clave = s("PAIS_ID");
        p.orden = s("PAIS_NOM");
        p.columnas = {{s("PAIS_ID"), s("Código")}, {s("PAIS_NOM"), s("País")}, {s("PAIS_CODISO"), s("Código ISO")}};
        r << p;
        DefinicionTabla b;
        b.pantalla = s("Tfbancos");
        b.titulo = s("Bancos");
        b.tabla = s("BANCOS");
        b.clave = s("BANC_COD");
        b.orden = s("BANC_NOMBRE");
        b.columnas = {{s("BANC_COD"), s("Código")}, {s("BANC_NOMBRE"), s("Banco")}, {s("BANC_NIT"), s("NIT")}};
        b.moduloDerecho = s("BANCOS");
        b.opcionDerecho = 80;
        r << b;
        DefinicionTabla t;
        t.pantalla = s("Tftipoid");
        t.titulo = s("Tipos de identificación");
        t.tabla = s("TIPO_ID");
        t.clave = s("TIID_COD");
        t.orden = s("TIID_COD");
        t.columnas = {{s("TIID_COD"), s("Código")}, {s("TIID_NOM"), s("Nombre")}, {s("TIID_CODIGO"), s("Código DIAN")}};
        r << t;
        return r;
    }();
    return d;
}

const DefinicionTabla* TablaReferencia::definicion(const QString& pantalla) {
    for (const DefinicionTabla& d : definiciones())
        if (d.pantalla == pantalla) return &d;
    return nullptr;
}

TablaReferencia::TablaReferencia(const DefinicionTabla& definicion, Sesion& sesion, Interaccion& interaccion,
                                 ManejadorErrores& manejador, const Configuracion& configuracion, QObject* parent)
    : QObject(parent),
      def_(definicion),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      contabilidad_(std::make_unique<Contabilidad>(sesion, interaccion, configuracion)) {
    filas_.setUpdateTable(def_.tabla, {def_.clave});
    for (const QStringList* lista : {&def_.cuentas, &def_.cuentasNiif})
        for (const QString& c : *lista) {
            const bool niif = lista == &def_.cuentasNiif;
            // An account that is not valid is emptied; "?" opens the list.
            filas_.onChange(c, [this, c, niif](DataSet& ds) {
                const QString texto = ds.asString(c).trimmed();
                if (texto.isEmpty()) return;
                QString cuenta = contabilidad_->entrada_cuenta(texto, niif);
                if (cuenta.startsWith(u'?')) cuenta.clear();
                if (cuenta != texto) ds.setValue(c, cuenta.isEmpty() ? fb::Value() : fb::Value(cuenta));
            });
        }
}

TablaReferencia::~TablaReferencia() = default;

bool TablaReferencia::abrir() {
    bool ok = false;
    manejador_.proteger([&] {
        if (def_.opcionDerecho >= 0 && !valide_acceso(sesion_, def_.opcionDerecho, def_.moduloDerecho)) {
            interaccion_.informacion(FichaAcreedor::kAccesoNegado);
            return;
        }
        QStringList cols;
        for (const auto& [c, t] : def_.columnas) cols << c;
        filas_.open(sesion_.compania, QStringLiteral("select ") + cols.join(QStringLiteral(", ")) +
                                          QStringLiteral(" from ") + def_.tabla + QStringLiteral(" order by ") + def_.orden);
        for (const auto& [c, t] : def_.columnas) filas_.field(c).setLabel(t);
        ok = true;
    });
    return ok;
}

bool TablaReferencia::grabar() {
    try {
        if (filas_.state() != DataSet::State::Browse) filas_.post();
    } catch (const DataSetError& e) {
        // A row without its code is dropped; any other refusal is reported.
        if (e.field().compare(def_.clave, Qt::CaseInsensitive) != 0) {
            manejador_.ManejarClientError(filas_, def_.tabla, e);
            return false;
        }
        filas_.cancel();
    }
    for (int i = filas_.recordCount() - 1; i >= 0; --i)
        if (filas_.row(i).asString(def_.clave).trimmed().isEmpty()) {
            filas_.setCurrentRow(i);
            filas_.remove();
        }
    try {
        filas_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, def_.tabla);
        return false;
    }
    return true;
}

void TablaReferencia::seleccionar() {
    if (!def_.selecciona || filas_.isEmpty()) return;
    eleccion_ = QVariantMap{{QStringLiteral("codigo"), filas_.asString(def_.clave)},
                            {QStringLiteral("nombre"), filas_.asString(def_.columnas.value(1).first)}};
    emit cerrar();
}

void TablaReferencia::salir() {
    if (filas_.isOpen() && filas_.state() != DataSet::State::Browse) filas_.cancel();
    emit cerrar();
}

}  // namespace cxp

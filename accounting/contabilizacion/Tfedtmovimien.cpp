#include "accounting/contabilizacion/Tfedtmovimien.h"

#include "accounting/contabilizacion/Cuadre.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {

const QString kConsec = QStringLiteral("ENCO_CONSEC");
const QString kItem = QStringLiteral("CODE_ITEM");
const QString kProveedor = QStringLiteral("QComprobante");

}  // namespace

const QStringList& Tfedtmovimien::columnas() {
    static const QStringList c{QStringLiteral("CUEN_COD"),     QStringLiteral("TERC_NIT"),     QStringLiteral("PROY_COD"),
                               QStringLiteral("CENT_COD"),     QStringLiteral("CODE_CONCEPTO"), QStringLiteral("CODE_REF"),
                               QStringLiteral("CODE_CONCOD"),  QStringLiteral("CODE_BASE"),    QStringLiteral("CODE_PORC"),
                               QStringLiteral("CODE_DEBITOS"), QStringLiteral("CODE_CREDITOS")};
    return c;
}

Tfedtmovimien::Tfedtmovimien(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      contabilidad_(sesion, interaccion, configuracion) {
    encabezado_.setUpdateTable(QStringLiteral("COMPROBANTE_ENCABEZADO"), {kConsec});
    local_.setUpdateTable(QStringLiteral("COMPROBANTE_DETALLE"), {kConsec, kItem});
    niif_.setUpdateTable(QStringLiteral("COMPROBANTE_DETALLE_NIIF"), {kConsec, kItem});
    encabezado_.addDetail(local_, {kConsec}, {kConsec});
    encabezado_.addDetail(niif_, {kConsec}, {kConsec});
    for (DataSet* ds : {&local_, &niif_})
        ds->onNewRecord([](DataSet& d) {
            int64_t mayor = 0;
            for (int i = 0; i < d.recordCount(); ++i) mayor = std::max(mayor, d.row(i).asInt(kItem));
            d.setValue(kItem, mayor + 1);
        });
    reglasLocal_ = std::make_unique<LineasContables>(local_, ColumnasLinea::libro(), sesion.compania, interaccion,
                                                     contabilidad_, [](const RecordRef&) { return false; });
    reglasNiif_ = std::make_unique<LineasContables>(niif_, ColumnasLinea::libro(), sesion.compania, interaccion,
                                                    contabilidad_, [](const RecordRef&) { return true; });
    for (LineasContables* r : {reglasLocal_.get(), reglasNiif_.get()}) {
        r->setEncabezado([this] { return encabezado_.asString(QStringLiteral("ENCO_CONCEPTO")); },
                         [this] { return encabezado_.asString(QStringLiteral("ENCO_REF")); });
        r->setAlActivo([this](bool visible) { emit activoVisible(visible); });
    }
}

Tfedtmovimien::~Tfedtmovimien() = default;

bool Tfedtmovimien::abrir(int consecutivo) {
    const QString clave = sql::numero(int64_t(consecutivo));
    const bool abierto = manejador_.proteger([&] {
        encabezado_.open(sesion_.compania,
                         QStringLiteral("select * from comprobante_encabezado where enco_consec = ") + clave);
        local_.open(sesion_.compania,
                    QStringLiteral("select * from comprobante_detalle where enco_consec = ") + clave +
                        QStringLiteral(" order by code_item"));
        niif_.open(sesion_.compania, QStringLiteral("select * from comprobante_detalle_niif where enco_consec = ") +
                                         clave + QStringLiteral(" order by code_item"));
    });
    if (!abierto) return false;
    if (encabezado_.isEmpty()) {
        interaccion_.error(kNoEncontrado);
        return false;
    }
    for (int i = 0; i < encabezado_.fieldCount(); ++i) {
        Field& f = encabezado_.field(i);
        const QString n = f.name().toUpper();
        f.setReadOnly(n != QLatin1String("ENCO_CONCEPTO") && n != QLatin1String("ENCO_REF") &&
                      n != QLatin1String("ENCO_MANDANTE"));
    }
    struct Columna {
        const char* campo;
        const char* titulo;
    };
    for (DataSet* ds : {&local_, &niif_}) {
        for (const Columna& c :
             {Columna{"CUEN_COD", "Cuenta"}, Columna{"TERC_NIT", "Tercero"}, Columna{"PROY_COD", "Centro"},
              Columna{"CENT_COD", "Subc"}, Columna{"CODE_CONCEPTO", "Concepto"}, Columna{"CODE_REF", "Ref."},
              Columna{"CODE_CONCOD", "Categoría"}, Columna{"CODE_BASE", "Base"}, Columna{"CODE_PORC", "Porc."},
              Columna{"CODE_DEBITOS", "Débito"}, Columna{"CODE_CREDITOS", "Crédito"}})
            ds->field(QString::fromLatin1(c.campo)).setLabel(QString::fromUtf8(c.titulo));
        for (int i = 0; i < ds->fieldCount(); ++i) {
            Field& f = ds->field(i);
            f.setVisible(columnas().contains(f.name(), Qt::CaseInsensitive));
        }
    }
    const bool inicialNiif =
        configuracion_
            .buscar(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                    QStringLiteral("MOSTRAR VENTANAS 2649 O NIIF INICIALMENTE AL REGISTRAR COMPROBANTES Y HACER "
                                   "CONSULTAS"))
            .value_or(QStringLiteral("2649"))
            .trimmed() != QLatin1String("2649");
    pestana_ = inicialNiif ? Niif : Local;
    return true;
}

void Tfedtmovimien::setPestana(int pestana) {
    if (pestana == pestana_) return;
    pestana_ = pestana;
    emit pestanaCambiada(pestana_);
}

bool Tfedtmovimien::nuevaLinea() {
    if (!encabezado_.isOpen() || encabezado_.isEmpty()) return false;
    if (!reglas(pestana_).guardarLinea()) return false;
    detalle(pestana_).append();
    return true;
}

bool Tfedtmovimien::grabar() {
    if (!encabezado_.isOpen() || encabezado_.isEmpty()) return false;
    try {
        encabezado_.post();
    } catch (const DataSetError& e) {
        interaccion_.error(e.message());
        return false;
    }
    for (int p : {Local, Niif}) {
        if (!reglas(p).guardarLinea()) {
            setPestana(p);
            return false;
        }
        reglas(p).quitarVacias();
    }
    switch (revisarCuadre(*reglasLocal_, *reglasNiif_, configuracion_)) {
    case Cuadre::LocalDescuadrado:
        interaccion_.error(kDescuadrado);
        setPestana(Local);
        return false;
    case Cuadre::NiifDescuadrado:
        interaccion_.error(kDescuadradoNiif);
        setPestana(Niif);
        return false;
    case Cuadre::Cuadrado:
        break;
    }
    try {
        encabezado_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    emit grabado();
    return true;
}

bool Tfedtmovimien::pedirCierre() {
    if (!encabezado_.isOpen()) return true;
    const bool cambios = encabezado_.hasChanges() || encabezado_.state() != DataSet::State::Browse ||
                         local_.state() != DataSet::State::Browse || niif_.state() != DataSet::State::Browse;
    if (!cambios) return true;
    if (!interaccion_.preguntar(kPerderCambios)) return false;
    for (DataSet* ds : {&local_, &niif_, &encabezado_})
        if (ds->state() != DataSet::State::Browse) ds->cancel();
    return true;
}

QString Tfedtmovimien::nombreCuentaActual() const {
    const DataSet& ds = pestana_ == Niif ? niif_ : local_;
    if (!ds.isOpen() || ds.isEmpty()) return {};
    return (pestana_ == Niif ? reglasNiif_ : reglasLocal_)->nombreCuenta(ds.asString(QStringLiteral("CUEN_COD")),
                                                                        pestana_ == Niif);
}

QString Tfedtmovimien::nombreTerceroActual() const {
    const DataSet& ds = pestana_ == Niif ? niif_ : local_;
    if (!ds.isOpen() || ds.isEmpty()) return {};
    return reglasLocal_->nombreTercero(ds.asString(QStringLiteral("TERC_NIT")));
}

}  // namespace cxp

#include "accounting/contabilizacion/Tfcontabiliza.h"

#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/Cuadre.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Selectores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {

const QString kModulo = QStringLiteral("CONTABILIDAD");
const QString kGeneral = QStringLiteral("GENERAL");
const QString kItem = QStringLiteral("CNDE_ITEM");
const QString kMandante = QStringLiteral("CNTB_MANDANTE");
const QString kProveedor = QStringLiteral("QContabilizacion");

}  // namespace

const QStringList& Tfcontabiliza::columnas() {
    static const QStringList c{QStringLiteral("CNDE_CUENTA"), QStringLiteral("CNDE_TERC"),   QStringLiteral("CNDE_PROY"),
                               QStringLiteral("CNDE_CENTRO"), QStringLiteral("CNDE_CONC"),   QStringLiteral("CNDE_REF"),
                               QStringLiteral("CNDE_CONCOD"), QStringLiteral("CNDE_BASE"),   QStringLiteral("CNDE_PORC"),
                               QStringLiteral("CNDE_DEBITOS"), QStringLiteral("CNDE_CREDITOS")};
    return c;
}

bool Tfcontabiliza::esNiif(const RecordRef& fila) { return fila.asInt(kItem) > kPrimerNiif; }

Tfcontabiliza::Tfcontabiliza(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, ContextoContabilizacion& contexto, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      contexto_(contexto),
      contabilidad_(sesion, interaccion, configuracion),
      terceros_(sesion.compania, interaccion, configuracion) {
    encabezado_.setUpdateTable(QStringLiteral("CONTABILIZACION"), {QStringLiteral("CNTB_ID")});
    lineas_.setUpdateTable(QStringLiteral("CONTABILIZACION_DET"), {QStringLiteral("CNTB_ID"), kItem});
    encabezado_.addDetail(lineas_, {QStringLiteral("CNTB_ID")}, {QStringLiteral("CNTB_ID")});
    encabezado_.onChange(kMandante, [this](DataSet& ds) { alCambiarMandante(ds); });
    lineas_.onNewRecord([this](DataSet& ds) { alNuevaLinea(ds); });

    reglas_ = std::make_unique<LineasContables>(lineas_, ColumnasLinea::pendiente(), sesion.compania, interaccion,
                                                contabilidad_, &Tfcontabiliza::esNiif);
    reglas_->setEncabezado([this] { return encabezado_.asString(QStringLiteral("CNTB_CONCEPTO")); },
                           [this] { return encabezado_.asString(QStringLiteral("CNTB_REF")); });
    reglas_->setAlFallar([this] { temporizador_.stop(); });
    reglas_->setAlActivo([this](bool visible) { emit activoVisible(visible); });

    temporizador_.setInterval(20);
    temporizador_.setSingleShot(true);
    connect(&temporizador_, &QTimer::timeout, this, [this] {
        manejador_.proteger([this] { grabar(); });
    });
}

Tfcontabiliza::~Tfcontabiliza() = default;

bool Tfcontabiliza::abrir() {
    tipo_ = contexto_.tipo;
    id_ = contexto_.id;
    mostrar_ = contexto_.mostrar;
    contexto_.tipo = 0;
    contexto_.id = 0;

    const bool abierto = manejador_.proteger([&] {
        encabezado_.open(sesion_.compania,
                         QStringLiteral("SELECT * FROM CONTABILIZACION WHERE CNTB_TIPOREF = ") +
                             sql::texto(QString::number(tipo_)) + QStringLiteral(" AND CNTB_IDREF = ") +
                             sql::numero(int64_t(id_)));
        const int idc = idPendiente();
        lineas_.open(sesion_.compania, QStringLiteral("SELECT * FROM CONTABILIZACION_DET WHERE CNTB_ID = ") +
                                           sql::numero(int64_t(idc)) + QStringLiteral(" ORDER BY CNDE_ITEM"));
        auto maximo = [&](const QString& condicion, int ninguno) {
            const std::optional<fb::Row> f = sesion_.compania.queryOne(
                QStringLiteral("select max(cnde_item) from contabilizacion_det where cnde_item ") + condicion +
                QStringLiteral(" and cntb_id = ") + sql::numero(int64_t(idc)));
            return (f && !(*f)[0].isNull()) ? int((*f)[0].toInt64()) : ninguno;
        };
        ultimoLocal_ = maximo(QStringLiteral("< 100000"), 1);
        ultimoNiif_ = maximo(QStringLiteral("> 100000"), kPrimerNiif + 1);
    });
    if (!abierto) return false;

    for (const char* solo : {"CNTB_TIPOCOMP", "CNTB_PREFCNT", "CNTB_NUMERO", "CNTB_FECHA"})
        encabezado_.field(QString::fromLatin1(solo)).setReadOnly(true);
    struct Columna {
        const char* campo;
        const char* titulo;
    };
    for (const Columna& c :
         {Columna{"CNDE_CUENTA", "Cuenta"}, Columna{"CNDE_TERC", "Tercero"}, Columna{"CNDE_PROY", "Centro"},
          Columna{"CNDE_CENTRO", "Subc"}, Columna{"CNDE_CONC", "Concepto"}, Columna{"CNDE_REF", "Ref."},
          Columna{"CNDE_CONCOD", "Categoría"}, Columna{"CNDE_BASE", "Base"}, Columna{"CNDE_PORC", "Porc."},
          Columna{"CNDE_DEBITOS", "Débito"}, Columna{"CNDE_CREDITOS", "Crédito"}})
        lineas_.field(QString::fromLatin1(c.campo)).setLabel(QString::fromUtf8(c.titulo));
    for (int i = 0; i < lineas_.fieldCount(); ++i) {
        Field& f = lineas_.field(i);
        f.setVisible(columnas().contains(f.name(), Qt::CaseInsensitive));
    }

    if (encabezado_.isEmpty() || (lineas_.isEmpty() && !mostrar_)) {
        necesaria_ = false;
        return true;
    }
    auto clave = [&](const QString& grupo, const QString& propiedad) {
        return configuracion_.valor(kModulo, grupo, propiedad).trimmed();
    };
    permitirCerrar_ =
        clave(kGeneral, QStringLiteral("PERMITIR CERRAR LA VENTANA DE CONTABILIZACION SIN GRABAR EL COMPROBANTE")) ==
        QLatin1String("SI");
    niifEditable_ = clave(kGeneral, QStringLiteral("GENERAR COMPROBANTES DE NIIF POR INTERFAZ O EQUIVALENCIAS")) ==
                    QLatin1String("INTERFAZ");
    reglas_->setFiltroAgencia(
        clave(QStringLiteral("COMPROBANTES"), QStringLiteral("FILTRAR CENTROS DE COSTO POR AGENCIA")) ==
            QLatin1String("SI"),
        sesion_.agencia_actual);
    pestana_ = clave(kGeneral, QStringLiteral("MOSTRAR VENTANAS 2649 O NIIF INICIALMENTE AL REGISTRAR COMPROBANTES Y "
                                              "HACER CONSULTAS")) == QLatin1String("2649")
                   ? Local
                   : Niif;
    {
        bool entero = false;
        const int ano = configuracion_.buscar(kModulo, kGeneral, QStringLiteral("ANO BALANCE DE APERTURA NIIF"))
                            .value_or(QString())
                            .trimmed()
                            .toInt(&entero);
        const QDate fecha = encabezado_.asDate(QStringLiteral("CNTB_FECHA"));
        llevaNiif_ = entero && fecha.isValid() && ano <= fecha.year();
    }
    necesaria_ = true;
    const QString mandante = encabezado_.asString(kMandante).trimmed();
    if (!mandante.isEmpty()) nombreMandante_ = terceros_.nom_tercero(mandante);
    return true;
}

int Tfcontabiliza::idPendiente() const {
    return encabezado_.isOpen() && !encabezado_.isEmpty() ? int(encabezado_.asInt(QStringLiteral("CNTB_ID"))) : 0;
}

void Tfcontabiliza::setPestana(int pestana) {
    if (pestana == pestana_) return;
    pestana_ = pestana;
    emit pestanaCambiada(pestana_);
}

void Tfcontabiliza::activar() {
    if (activado_) return;
    activado_ = true;
    if (necesaria_ && !mostrar_) temporizador_.start();
}

void Tfcontabiliza::alNuevaLinea(DataSet& ds) {
    ds.setValue(kItem, pestana_ == Local ? ++ultimoLocal_ : ++ultimoNiif_);
}

bool Tfcontabiliza::nuevaLinea() {
    if (!encabezado_.isOpen() || encabezado_.isEmpty()) return false;
    if (pestana_ == Niif && !niifEditable_) return false;
    if (!reglas_->guardarLinea()) return false;
    lineas_.append();
    return true;
}

void Tfcontabiliza::alCambiarMandante(DataSet& ds) {
    const QString texto = ds.asString(kMandante).trimmed();
    nombreMandante_.clear();
    if (texto.startsWith(u'?') || texto.endsWith(u'?')) {
        const std::optional<QVariantMap> e = interaccion_.elegir(
            selectores::kTerceros, {{QStringLiteral("filtro"), QString(texto).remove(u'?').trimmed()}});
        const QString nit = e ? e->value(QStringLiteral("nit")).toString() : QString();
        ds.setValue(kMandante, nit.isEmpty() ? fb::Value() : fb::Value(nit));
        if (!nit.isEmpty()) nombreMandante_ = terceros_.nom_tercero(nit);
    } else if (!texto.isEmpty()) {
        nombreMandante_ = terceros_.nom_tercero(texto);
        if (nombreMandante_.isEmpty()) interaccion_.error(kMandanteNoEncontrado);
    }
    emit mandanteCambiado();
}

void Tfcontabiliza::sugerir() { reglas_->sugerir(); }

bool Tfcontabiliza::grabar() {
    temporizador_.stop();
    if (!encabezado_.isOpen() || encabezado_.isEmpty() || resultado_ != Resultado::Pendiente) return false;
    try {
        encabezado_.post();
    } catch (const DataSetError& e) {
        interaccion_.error(e.message());
        return false;
    }
    if (!reglas_->guardarLinea()) return false;
    reglas_->quitarVacias();

    switch (revisarCuadre(*reglas_, *reglas_, configuracion_)) {
    case Cuadre::LocalDescuadrado:
        interaccion_.error(kDescuadrado);
        setPestana(Local);
        return false;
    case Cuadre::NiifDescuadrado:
        interaccion_.error(kDescuadradoNiif);
        setPestana(Niif);
        liberarSalidaSiNiifFijo();
        return false;
    case Cuadre::Cuadrado:
        break;
    }
    // A company that keeps NIIF for this date gets no voucher without its
    // NIIF lines (the NIIF stage was skipped or made none).
    if (llevaNiif_ && reglas_->cuenta(false) > 0 && reglas_->cuenta(true) == 0 && !permiteDescuadrados(configuracion_)) {
        interaccion_.error(kSinNiif);
        setPestana(Niif);
        liberarSalidaSiNiifFijo();
        return false;
    }

    try {
        // The document's earlier ledger voucher is not touched here: the
        // finalization replaces it in its own single transaction (keeping
        // its number), so a failure anywhere leaves it in place.
        encabezado_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, kProveedor, &lineas_);
        interaccion_.enfocar(pestana_ == Local ? QStringLiteral("rejillaLocal") : QStringLiteral("rejillaNiif"));
        return false;
    }
    resultado_ = Resultado::Aceptado;
    emit terminar(true);
    return true;
}

bool Tfcontabiliza::plantilla() {
    if (!encabezado_.isOpen() || encabezado_.isEmpty()) return false;
    const std::optional<QVariantMap> e = interaccion_.elegir(
        kSelectorPlantillas, {{QStringLiteral("tipo"), encabezado_.asString(QStringLiteral("CNTB_TIPOCOMP"))}});
    if (!e) return false;
    const int id = e->value(QStringLiteral("plantilla")).toInt();
    if (id == 0) return false;
    if (!lineas_.isEmpty()) {
        if (!interaccion_.preguntar(kPlantilla)) return false;
        if (lineas_.state() != DataSet::State::Browse) lineas_.cancel();
        while (!lineas_.isEmpty()) {
            lineas_.last();
            lineas_.remove();
        }
    } else if (lineas_.state() != DataSet::State::Browse) {
        lineas_.cancel();
    }
    return agregarDePlantilla(id);
}

bool Tfcontabiliza::agregarDePlantilla(int plantilla) {
    const std::vector<fb::Row> filas = sesion_.compania.query(
        QStringLiteral("select CUEN_COD, TERC_NIT, PROY_COD, CENT_COD, PLDE_CONCEPTO, PLDE_DEBITOS, PLDE_CREDITOS, "
                       "PLDE_BASE, PLDE_PORC from plantilla_detalle where plan_id = ") +
        sql::numero(int64_t(plantilla)) + QStringLiteral(" order by plde_item"));
    const ColumnasLinea& c = reglas_->columnas();
    for (const fb::Row& f : filas) {
        lineas_.append();
        lineas_.setValue(c.cuenta, f[0]);
        lineas_.setValue(c.tercero, f[1]);
        lineas_.setValue(c.centro, f[2]);
        lineas_.setValue(c.subcentro, f[3]);
        lineas_.setValue(c.concepto, f[4]);
        // Base and percentage first: the debit and credit of the template win.
        lineas_.setValue(c.base, f[7]);
        lineas_.setValue(c.porcentaje, f[8]);
        lineas_.setValue(c.debito, f[5]);
        lineas_.setValue(c.credito, f[6]);
        if (!f[4].isNull()) {
            if (encabezado_.state() == DataSet::State::Browse) encabezado_.edit();
            encabezado_.setValue(QStringLiteral("CNTB_CONCEPTO"), f[4]);
        }
        if (!reglas_->guardarLinea()) return false;
    }
    return true;
}

// The NIIF lines cannot be corrected here: the window must not hold the
// clerk. It may be closed; the document stays pending with its message.
void Tfcontabiliza::liberarSalidaSiNiifFijo() {
    if (niifEditable_ || salidaLibre_) return;
    salidaLibre_ = true;
    interaccion_.informacion(kNiifNoEditable);
}

bool Tfcontabiliza::pedirCierre() {
    temporizador_.stop();
    if (resultado_ != Resultado::Pendiente) return true;
    if (!permitirCerrar_ && !salidaLibre_) {
        interaccion_.error(kGrabarParaCerrar);
        return false;
    }
    const bool cambios = encabezado_.isOpen() &&
                         (encabezado_.hasChanges() || encabezado_.state() != DataSet::State::Browse ||
                          lineas_.state() != DataSet::State::Browse);
    if (cambios) {
        if (!interaccion_.preguntar(kPerderCambios)) return false;
        if (lineas_.state() != DataSet::State::Browse) lineas_.cancel();
        if (encabezado_.state() != DataSet::State::Browse) encabezado_.cancel();
    }
    resultado_ = Resultado::Cancelado;
    return true;
}

void Tfcontabiliza::escape(bool lineaLocalConFoco) {
    if (lineaLocalConFoco && lineas_.state() == DataSet::State::Insert) {
        lineas_.cancel();
        return;
    }
    if (pedirCierre()) emit terminar(false);
}

QString Tfcontabiliza::nombreCuentaActual() const {
    if (!lineas_.isOpen() || lineas_.isEmpty()) return {};
    return reglas_->nombreCuenta(lineas_.asString(QStringLiteral("CNDE_CUENTA")), esNiif(lineas_.current()));
}

QString Tfcontabiliza::nombreTerceroActual() const {
    if (!lineas_.isOpen() || lineas_.isEmpty()) return {};
    return reglas_->nombreTercero(lineas_.asString(QStringLiteral("CNDE_TERC")));
}

}  // namespace cxp

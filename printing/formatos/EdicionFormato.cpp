#include "printing/formatos/EdicionFormato.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "printing/formatos/Tfformatos.h"

namespace cxp {

namespace {

const QString kTipo = QStringLiteral("TIDO_COD");
const QString kPrefijo = QStringLiteral("PREF_PRE");

// Columns in the order the grids show them; the keys last, hidden.
const char* const kColumnasDatos[][2] = {
    {"DAFO_DATO", "Dato"},     {"DAFO_IMPRIME", "Impr."}, {"DAFO_POSX", "PosX"},       {"DAFO_POSY", "PosY"},
    {"DAFO_REPITE", "Rep."},   {"DAFO_INI", "Inicio"},    {"DAFO_LONG", "Long."},      {"DAFO_FORMATO", "Decimal"},
    {"DAFO_FONT", "Font"},     {"DAFO_FSIZE", "Tamaño"},  {"DAFO_LIQUIDA", "Liq."},    {"DAFO_POSYVAR", "PYV"},
};
const char* const kColumnasLineas[][2] = {
    {"FOLI_TIPO", "Tipo"},          {"FOLI_POSX", "PosX"},         {"FOLI_POSY", "PosY"},
    {"FOLI_X", "Lon.X"},            {"FOLI_Y", "Lon.Y"},           {"FOLI_CADENA", "Cadena"},
    {"FOLI_FONT", "Tipo letra"},    {"FOLI_FSIZE", "Tam.letra"},   {"FOLI_LIQUIDA", "PYV"},
};

template <size_t N> QString lista(const char* const (&columnas)[N][2]) {
    QStringList r;
    for (const auto& c : columnas) r << QString::fromLatin1(c[0]);
    return r.join(QStringLiteral(", "));
}

template <size_t N> void etiquetas(DataSet& ds, const char* const (&columnas)[N][2]) {
    for (int i = 0; i < ds.fieldCount(); ++i) ds.field(i).setVisible(false);
    for (const auto& c : columnas) {
        Field& f = ds.field(QString::fromLatin1(c[0]));
        f.setVisible(true);
        f.setLabel(QString::fromUtf8(c[1]));
    }
}

}  // namespace

EdicionFormato::EdicionFormato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    formato_.setUpdateTable(QStringLiteral("FORMATOS"), {kTipo, kPrefijo});
    datos_.setUpdateTable(QStringLiteral("FORMATO_DATOS"), {kTipo, kPrefijo, QStringLiteral("DAFO_ITEM")});
    lineas_.setUpdateTable(QStringLiteral("FORMATO_LINEAS"), {kTipo, kPrefijo, QStringLiteral("FOLI_ITEM")});
    formato_.addDetail(datos_, {kTipo, kPrefijo}, {kTipo, kPrefijo});
    formato_.addDetail(lineas_, {kTipo, kPrefijo}, {kTipo, kPrefijo});

    formato_.onNewRecord([](DataSet& ds) { ds.setValue(QStringLiteral("FORM_PAGINAS"), QStringLiteral("S")); });
    // A new data item: the next number, the format's font and size, printed
    // once per page with the header.
    datos_.onNewRecord([this](DataSet& ds) {
        ds.setValue(QStringLiteral("DAFO_ITEM"), ++contadorDatos_);
        ds.setValue(QStringLiteral("DAFO_INI"), 1);
        ds.setValue(QStringLiteral("DAFO_FONT"), formato_.value(QStringLiteral("FORM_FONT")));
        ds.setValue(QStringLiteral("DAFO_FSIZE"), formato_.value(QStringLiteral("FORM_FSIZE")));
        ds.setValue(QStringLiteral("DAFO_IMPRIME"), QStringLiteral("S"));
        for (const char* c : {"DAFO_REPITE", "DAFO_LIQUIDA", "DAFO_POSYVAR"})
            ds.setValue(QString::fromLatin1(c), QStringLiteral("N"));
    });
    // A new drawing element: a text with the format's font and size, drawn
    // with the header. The number is one past the incremented counter.
    lineas_.onNewRecord([this](DataSet& ds) {
        ++contadorLineas_;
        ds.setValue(QStringLiteral("FOLI_ITEM"), contadorLineas_ + 1);
        ds.setValue(QStringLiteral("FOLI_TIPO"), QStringLiteral("T"));
        ds.setValue(QStringLiteral("FOLI_FONT"), formato_.value(QStringLiteral("FORM_FONT")));
        ds.setValue(QStringLiteral("FOLI_FSIZE"), formato_.value(QStringLiteral("FORM_FSIZE")));
        ds.setValue(QStringLiteral("FOLI_LIQUIDA"), QStringLiteral("N"));
    });
}

EdicionFormato::~EdicionFormato() = default;

void EdicionFormato::leer(const fb::Value& tipo, const fb::Value& prefijo) {
    fb::Transaction tr(sesion_.compania, {.readOnly = true});
    const QString donde = QStringLiteral(" where TIDO_COD = ? and PREF_PRE = ?");
    formato_.open(tr,
                  QStringLiteral("select TIDO_COD, PREF_PRE, FORM_IMPRE, FORM_NROITEMS, FORM_PAGINAS, FORM_ENTRELINEA, "
                                 "FORM_FONT, FORM_FSIZE, FORM_PAPELAN, FORM_PAPELAL, FORM_PREFITE from FORMATOS") +
                      donde,
                  {tipo, prefijo});
    datos_.open(tr,
                QStringLiteral("select ") + lista(kColumnasDatos) +
                    QStringLiteral(", DAFO_ITEM, TIDO_COD, PREF_PRE from FORMATO_DATOS") + donde +
                    QStringLiteral(" order by DAFO_ITEM"),
                {tipo, prefijo});
    lineas_.open(tr,
                 QStringLiteral("select ") + lista(kColumnasLineas) +
                     QStringLiteral(", FOLI_IMAGEN, FOLI_ITEM, TIDO_COD, PREF_PRE from FORMATO_LINEAS") + donde +
                     QStringLiteral(" order by FOLI_ITEM"),
                 {tipo, prefijo});
    tr.commit();
    etiquetar();
}

void EdicionFormato::etiquetar() {
    etiquetas(datos_, kColumnasDatos);
    etiquetas(lineas_, kColumnasLineas);
}

void EdicionFormato::leerTipos() {
    tipos_.clear();
    for (const fb::Row& f : sesion_.compania.query(
             QStringLiteral("select tido_cod, tido_nomlargo from tipo_documento where tido_modulo = 'CXPAGAR' "
                            "order by tido_cod")))
        tipos_.append({int(f[0].toInt64()), f[1].toString()});
}

void EdicionFormato::leerPrefijos(int tipo) {
    prefijos_.clear();
    for (const fb::Row& f : sesion_.compania.query(QStringLiteral("select * from prefijos where tido_cod = ") +
                                                   sql::numero(int64_t(tipo)) + QStringLiteral(" order by pref_pre")))
        prefijos_ << f[QStringLiteral("PREF_PRE")].toString();
    emit prefijosCambiaron();
}

QByteArray EdicionFormato::imagen() const {
    if (lineas_.isEmpty()) return {};
    const fb::Value& v = lineas_.value(QStringLiteral("FOLI_IMAGEN"));
    return v.isNull() ? QByteArray() : v.toBytes();
}

void EdicionFormato::cargarImagen(const QByteArray& bytes) {
    if (lineas_.isEmpty()) return;
    if (lineas_.state() == DataSet::State::Browse) lineas_.edit();
    lineas_.setValue(QStringLiteral("FOLI_IMAGEN"), bytes.isEmpty() ? fb::Value() : fb::Value(bytes));
    lineas_.post();
}

bool EdicionFormato::aplicar() {
    if (formato_.isEmpty()) return false;
    if (formato_.asString(QStringLiteral("FORM_PAGINAS")) == QLatin1String("S") &&
        formato_.asInt(QStringLiteral("FORM_NROITEMS")) < 1) {
        interaccion_.error(QString::fromUtf8(kRepeticiones));
        interaccion_.enfocar(QStringLiteral("FORM_NROITEMS"));
        return false;
    }
    DataSet* const conjuntos[] = {&datos_, &lineas_, &formato_};
    const QString nombres[] = {QStringLiteral("Datos a imprimir"), QStringLiteral("Lineas y cuadros"),
                               QStringLiteral("Formatos")};
    for (int i = 0; i < 3; ++i) {
        DataSet& ds = *conjuntos[i];
        if (ds.state() == DataSet::State::Browse) continue;
        try {
            ds.post();
        } catch (const std::exception& e) {
            manejador_.ManejarClientError(ds, nombres[i], e);
            if (const auto* d = dynamic_cast<const DataSetError*>(&e); d && !d->field().isEmpty())
                interaccion_.enfocar(d->field());
            return false;
        }
    }
    try {
        formato_.applyUpdates(sesion_.compania);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, QStringLiteral("Formatos"));
        return false;
    }
    emit AvisoFormatos::instancia().cambiaron();
    return true;
}

bool EdicionFormato::grabar(const QString& impresora) {
    if (!formato_.isOpen() || formato_.isEmpty()) return false;
    try {
        if (formato_.state() == DataSet::State::Browse) formato_.edit();
        formato_.setValue(QStringLiteral("FORM_IMPRE"), impresora.isEmpty() ? fb::Value() : fb::Value(impresora));
    } catch (const std::exception& e) {
        manejador_.ManejarClientError(formato_, QStringLiteral("Formatos"), e);
        return false;
    }
    if (!aplicar()) return false;
    emit cerrar();
    return true;
}

void EdicionFormato::cancelar() {
    for (DataSet* ds : {&datos_, &lineas_, &formato_})
        if (ds->isOpen() && ds->state() != DataSet::State::Browse) ds->cancel();
    emit cerrar();
}

// ---- new

Tfdefformato::Tfdefformato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent)
    : EdicionFormato(sesion, interaccion, manejador, parent) {
    // The type lists its prefixes; a type without any cannot have a format.
    formato_.onChange(kTipo, [this](DataSet& ds) {
        ds.setValue(kPrefijo, fb::Value());
        if (ds.isNull(kTipo)) {
            prefijos_.clear();
            emit prefijosCambiaron();
            return;
        }
        leerPrefijos(int(ds.asInt(kTipo)));
        if (prefijos_.isEmpty()) {
            interaccion_.informacion(QString::fromUtf8(kSinPrefijos));
            emit cerrar();
        }
    });
    // One format per type and prefix.
    formato_.onChange(kPrefijo, [this](DataSet& ds) {
        if (ds.isNull(kTipo) || ds.asString(kPrefijo).isEmpty()) return;
        if (sesion_.compania
                .queryOne(QStringLiteral("select * from formatos where tido_cod = ") + sql::numero(ds.asInt(kTipo)) +
                          QStringLiteral(" and pref_pre = ") + sql::texto(ds.asString(kPrefijo)))
                .has_value()) {
            interaccion_.informacion(QString::fromUtf8(kYaExiste));
            ds.setValue(kPrefijo, fb::Value());
            interaccion_.enfocar(kPrefijo);
        }
    });
}

bool Tfdefformato::abrir() {
    return manejador_.proteger([this] {
        leerTipos();
        leer(fb::Value(), fb::Value());
        contadorDatos_ = contadorLineas_ = 0;
        formato_.append();
    });
}

// ---- modify

Tfmodformato::Tfmodformato(int tipo, const QString& prefijo, Sesion& sesion, Interaccion& interaccion,
                           ManejadorErrores& manejador, QObject* parent)
    : EdicionFormato(sesion, interaccion, manejador, parent), tipo_(tipo), prefijo_(prefijo) {}

bool Tfmodformato::abrir() {
    bool hay = false;
    const bool ok = manejador_.proteger([&] {
        leerTipos();
        if (!sesion_.compania.queryOne(QStringLiteral("select first 1 1 from formatos"))) {
            interaccion_.informacion(QString::fromUtf8(kNingunFormato));
            return;
        }
        leer(tipo_, prefijo_);
        if (formato_.isEmpty()) {
            interaccion_.informacion(QString::fromUtf8(kNoEncontrado));
            return;
        }
        leerPrefijos(tipo_);
        formato_.field(kTipo).setReadOnly(true);
        formato_.field(kPrefijo).setReadOnly(true);
        const QString donde = QStringLiteral(" where tido_cod = ") + sql::numero(int64_t(tipo_)) +
                              QStringLiteral(" and pref_pre = ") + sql::texto(prefijo_);
        const auto maximo = [this](const QString& consulta) {
            const auto f = sesion_.compania.queryOne(consulta);
            return f && !f->at(0).isNull() ? int(f->at(0).toInt64()) : 0;
        };
        contadorLineas_ = maximo(QStringLiteral("select max(foli_item) from formato_lineas") + donde);
        contadorDatos_ = maximo(QStringLiteral("select max(dafo_item) from formato_datos") + donde);
        hay = true;
    });
    return ok && hay;
}

bool Tfmodformato::mover(const DialogoMover& dialogo) {
    if (!aplicar()) return false;
    if (!dialogo || !dialogo(tipo_, prefijo_)) return false;
    return abrir();
}

std::optional<Tfmodformato::UltimoDocumento> Tfmodformato::ultimoDocumento(int tipo) {
    switch (tipo) {
    case 51: return UltimoDocumento{QStringLiteral("select max(ndpr_id) from notas_debito_proveedor where pref_pre = "),
                                    QStringLiteral("Debe registrar antes al menos una nota.")};
    case 52: return UltimoDocumento{QStringLiteral("select max(ncpr_id) from notas_credito_proveedor where pref_pre = "),
                                    QStringLiteral("Debe registrar antes al menos una nota.")};
    case 53: return UltimoDocumento{QStringLiteral("select max(appr_id) from aplicacion_provedor where pref_pre = "),
                                    QStringLiteral("Debe registrar antes al menos una aplicación.")};
    case 55: return UltimoDocumento{QStringLiteral("select max(anpr_id) from anticipos_proveedor where pref_pre = "),
                                    QStringLiteral("Debe registrar antes al menos un anticipo.")};
    case 56: return UltimoDocumento{QStringLiteral("select max(orse_id) from orden_servicio where pref_pre = "),
                                    QStringLiteral("Debe registrar antes al menos una orden.")};
    default: return std::nullopt;
    }
}

bool Tfmodformato::vistaPrevia() {
    if (!impresor_ || !aplicar()) return false;
    const auto ultimo = ultimoDocumento(tipo_);
    if (!ultimo) {
        interaccion_.informacion(QStringLiteral("Este tipo de documento no tiene vista previa desde su formato."));
        return false;
    }
    int64_t id = 0;
    if (!manejador_.proteger([&] {
            const auto f = sesion_.compania.queryOne(ultimo->consulta + sql::texto(prefijo_));
            if (f && !f->at(0).isNull()) id = f->at(0).toInt64();
        }))
        return false;
    if (id == 0) {
        interaccion_.informacion(ultimo->sinDocumento);
        return false;
    }
    bool ok = false;
    manejador_.proteger([&] {
        impresor_(tipo_, prefijo_, id);
        ok = true;
    });
    return ok;
}

}  // namespace cxp

#include "comunes/TFConsecut.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QRegularExpression>

namespace cxp {

namespace {
// Names the central error handler shows for this screen's datasets.
const QString kProveedor = QStringLiteral("QPrefijos");
const QString kDatasetTipos = QStringLiteral("cdsTipos");
const QString kDatasetPrefijos = QStringLiteral("cdsPrefijos");

bool vacio(const DataSet& ds, const QString& campo) { return ds.asString(campo).trimmed().isEmpty(); }
}  // namespace

TFConsecut::TFConsecut(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    tipos_.setUpdateTable(QStringLiteral("TIPO_DOCUMENTO"), {QStringLiteral("TIDO_COD")});
    prefijos_.setUpdateTable(QStringLiteral("PREFIJOS"), {QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")});
    tipos_.addDetail(prefijos_, {QStringLiteral("TIDO_COD")}, {QStringLiteral("TIDO_COD")});

    tipos_.beforePost([this](DataSet& ds) { antesDeGrabarTipo(ds); });
    prefijos_.beforePost([this](DataSet& ds) { antesDeGrabarPrefijo(ds); });
    prefijos_.onNewRecord([](DataSet& p) {
        if (DataSet* t = p.master(); t && !t->isEmpty()) p.setValue(QStringLiteral("TIDO_COD"), t->value(QStringLiteral("TIDO_COD")));
        p.setValue(QStringLiteral("PREF_AUTO"), QStringLiteral("S"));
        p.setValue(QStringLiteral("PREF_IVAINC"), QStringLiteral("N"));
        p.setValue(QStringLiteral("PREF_ACTIVO"), QStringLiteral("S"));
    });

    // The looked-up names and their keys follow each other.
    prefijos_.onChange(kComprobante, [this](DataSet& p) {
        const QString clave = claveDe(comprobantes_, p.asString(kComprobante));
        p.setValue(QStringLiteral("TICO_COD"), clave.isEmpty() ? fb::Value() : fb::Value(clave));
    });
    prefijos_.onChange(QStringLiteral("TICO_COD"), [this](DataSet& p) {
        const QString nombre = nombreDe(comprobantes_, p.asString(QStringLiteral("TICO_COD")).trimmed());
        p.setValue(kComprobante, nombre.isEmpty() ? fb::Value() : fb::Value(nombre));
    });
    prefijos_.onChange(kAgencia, [this](DataSet& p) {
        const QString clave = claveDe(agencias_, p.asString(kAgencia));
        p.setValue(QStringLiteral("SUCU_ID"), clave.isEmpty() ? fb::Value() : fb::Value(int64_t(clave.toLongLong())));
    });
    prefijos_.onChange(QStringLiteral("SUCU_ID"), [this](DataSet& p) {
        const QString nombre =
            p.isNull(QStringLiteral("SUCU_ID")) ? QString() : nombreDe(agencias_, p.asString(QStringLiteral("SUCU_ID")));
        p.setValue(kAgencia, nombre.isEmpty() ? fb::Value() : fb::Value(nombre));
    });
}

TFConsecut::~TFConsecut() = default;

QString TFConsecut::consultaTipos() {
    return QStringLiteral("select * from TIPO_DOCUMENTO order by TIDO_NOMLARGO");
}

QString TFConsecut::consultaPrefijos() {
    // The grid's columns first, in the grid's order; then what it hides.
    return QStringLiteral(
               "select (select t.TICO_NOM from TIPO_COMPROBANTE t where t.TICO_COD = p.TICO_COD) COMPROBANTE, "
               "p.PREF_PRE, p.PREF_ACTUAL, p.PREF_AUTO, p.PREF_PROY, p.PREF_CENTRO, p.PREF_ACTIVO, "
               "coalesce((select s.SUCU_NOMBRE from SUCURSALES s where s.SUCU_ID = p.SUCU_ID), "
               "case when p.SUCU_ID = 0 then ") +
           sql::texto(kTodas) +
           QStringLiteral(" end) AGENCIA, "
                          "p.TIDO_COD, p.TICO_COD, p.SUCU_ID, p.PREF_IVAINC, p.PREF_USUARIO "
                          "from PREFIJOS p order by p.TIDO_COD, p.PREF_PRE");
}

bool TFConsecut::abrir() {
    return manejador_.proteger([&] {
        abrirBusquedas();
        tipos_.open(sesion_.compania, consultaTipos());
        prefijos_.open(sesion_.compania, consultaPrefijos());
        definirPrefijos();
        tipos_.first();
    });
}

void TFConsecut::abrirBusquedas() {
    comprobantes_.clear();
    for (const fb::Row& r : sesion_.compania.query(
             QStringLiteral("select TICO_COD, TICO_NOM from TIPO_COMPROBANTE order by TICO_NOM")))
        comprobantes_.append({r[0].toString().trimmed(), r[1].toString()});
    agencias_ = {{QStringLiteral("0"), kTodas}};
    for (const fb::Row& r :
         sesion_.compania.query(QStringLiteral("select SUCU_ID, SUCU_NOMBRE from SUCURSALES order by SUCU_ID")))
        agencias_.append({r[0].toString(), r[1].toString()});
}

void TFConsecut::definirPrefijos() {
    struct Columna {
        const char* campo;
        const char* titulo;
    };
    for (const Columna& c : {Columna{"COMPROBANTE", "Comprobante"}, Columna{"PREF_PRE", "Prefijo"},
                             Columna{"PREF_ACTUAL", "Actual"}, Columna{"PREF_AUTO", "Auto"},
                             Columna{"PREF_PROY", "Proyecto"}, Columna{"PREF_CENTRO", "Centro"},
                             Columna{"PREF_ACTIVO", "Activo"}, Columna{"AGENCIA", "Agencia"}})
        prefijos_.field(QString::fromLatin1(c.campo)).setLabel(QString::fromLatin1(c.titulo));
    for (const char* oculto : {"TIDO_COD", "TICO_COD", "SUCU_ID", "PREF_IVAINC", "PREF_USUARIO"})
        prefijos_.field(QString::fromLatin1(oculto)).setVisible(false);
    // The database starts an empty current number at 1 and puts an agency
    // left empty in every agency.
    prefijos_.field(QStringLiteral("PREF_ACTUAL")).setRequired(false);
    prefijos_.field(QStringLiteral("SUCU_ID")).setRequired(false);
}

QStringList TFConsecut::documentos() const {
    QStringList r;
    for (int i = 0; i < tipos_.recordCount(); ++i) r << tipos_.row(i).asString(QStringLiteral("TIDO_NOMLARGO"));
    return r;
}

bool TFConsecut::elegirDocumento(int indice) {
    if (!tipos_.isOpen() || indice < 0 || indice >= tipos_.recordCount()) return false;
    if (indice == tipos_.currentRow()) return true;
    try {
        tipos_.setCurrentRow(indice);
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(prefijos_, kDatasetPrefijos, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    return true;
}

bool TFConsecut::nuevoPrefijo() {
    if (!tipos_.isOpen() || tipos_.isEmpty()) return false;
    try {
        prefijos_.append();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(prefijos_, kDatasetPrefijos, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    return prefijos_.state() == DataSet::State::Insert;
}

bool TFConsecut::numeroValido(const QString& numero) {
    static const QRegularExpression digitos(QStringLiteral("^[0-9]{0,8}$"));
    return digitos.match(numero).hasMatch();
}

void TFConsecut::antesDeGrabarTipo(DataSet& ds) {
    if (ds.isNull(QStringLiteral("TIDO_COD"))) {
        cancelado_ = true;
        ds.cancel();
    }
}

void TFConsecut::antesDeGrabarPrefijo(DataSet& ds) {
    if (vacio(ds, QStringLiteral("PREF_PRE"))) {
        cancelado_ = true;
        ds.cancel();
        return;
    }
    const QString actual = ds.asString(QStringLiteral("PREF_ACTUAL")).trimmed();
    if (!numeroValido(actual))
        throw DataSetError(QStringLiteral("El número actual del prefijo lleva solo dígitos, hasta ocho."),
                           QStringLiteral("PREF_ACTUAL"));
    // Six digits with leading zeros; eight for the sales and supplier invoices.
    if (!actual.isEmpty()) {
        const int64_t tipo = ds.asInt(QStringLiteral("TIDO_COD"));
        const QString completo = actual.rightJustified(tipo == 31 || tipo == 50 ? 8 : 6, u'0');
        if (completo != ds.asString(QStringLiteral("PREF_ACTUAL"))) ds.setValue(QStringLiteral("PREF_ACTUAL"), completo);
    }
    const Field& usuario = ds.field(QStringLiteral("PREF_USUARIO"));
    const int largo = usuario.size() > 0 ? std::min(usuario.size(), kLargoUsuario) : kLargoUsuario;
    const QString sello = sesion_.nombre_usuario.left(largo);
    ds.setValue(QStringLiteral("PREF_USUARIO"), sello.isEmpty() ? fb::Value() : fb::Value(sello));
}

bool TFConsecut::postear(DataSet& ds, const QString& nombre) {
    try {
        ds.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(ds, nombre, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    return true;
}

bool TFConsecut::grabar() {
    if (!tipos_.isOpen()) return false;
    cancelado_ = false;
    if (!postear(prefijos_, kDatasetPrefijos) || cancelado_) return false;
    if (!postear(tipos_, kDatasetTipos) || cancelado_) return false;
    try {
        tipos_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        // Nothing was written; the changes stay to be corrected and saved again.
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    emit cerrar();
    return true;
}

void TFConsecut::salir() {
    if (prefijos_.isOpen() && prefijos_.state() != DataSet::State::Browse) prefijos_.cancel();
    if (tipos_.isOpen() && tipos_.state() != DataSet::State::Browse) tipos_.cancel();
    emit cerrar();
}

}  // namespace cxp

#include "comunes/Tfautorizacion.h"

#include "base/Sql.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
const QString kProveedor = QStringLiteral("QAutorizaciones");
const QString kDataset = QStringLiteral("cdsAutorizaciones");
const QString kNumero = QStringLiteral("AUTO_NUMERO");
}  // namespace

const QStringList& Tfautorizacion::columnas() {
    static const QStringList c{QStringLiteral("PREF_PRE"),      QStringLiteral("AUTO_NUMERO"),
                               QStringLiteral("AUTO_FECHA"),    QStringLiteral("AUTO_INICIAL"),
                               QStringLiteral("AUTO_FINAL"),    QStringLiteral("AUTO_VENCE"),
                               QStringLiteral("AUTO_AVISAR"),   QStringLiteral("AUTO_USRAVISO"),
                               QStringLiteral("AUTO_TOKENEMP"), QStringLiteral("AUTO_TOKENPSW"),
                               QStringLiteral("AUTO_ARCHFE")};
    return c;
}

Tfautorizacion::Tfautorizacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    autorizaciones_.setUpdateTable(QStringLiteral("AUTORIZACIONES"),
                                   {QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE"), kNumero});
    autorizaciones_.onNewRecord([this](DataSet& a) {
        a.setValue(QStringLiteral("TIDO_COD"), kTipoCargos);
        if (!prefijos_.isEmpty()) a.setValue(QStringLiteral("PREF_PRE"), prefijos_.value(QStringLiteral("PREF_PRE")));
        a.setValue(QStringLiteral("AUTO_ITEMS"), 1);
        a.setValue(QStringLiteral("AUTO_CONTADO"), QStringLiteral("N"));
    });
    autorizaciones_.beforePost([this](DataSet& a) { antesDeGrabar(a); });
    autorizaciones_.afterScroll([this](DataSet& a) { alMoverse(a); });
}

Tfautorizacion::~Tfautorizacion() = default;

bool Tfautorizacion::abrir() {
    if (!manejador_.proteger([&] {
            prefijos_.open(sesion_.compania, QStringLiteral("select PREF_PRE from PREFIJOS where TIDO_COD = ") +
                                                 sql::numero(int64_t(kTipoCargos)) +
                                                 QStringLiteral(" order by PREF_PRE"));
        }))
        return false;
    if (prefijos_.isEmpty()) {
        interaccion_.informacion(kSinPrefijos);
        return false;
    }
    abriendo_ = true;
    const bool abierta = manejador_.proteger([&] {
        autorizaciones_.open(sesion_.compania, QStringLiteral("select * from AUTORIZACIONES where TIDO_COD = ") +
                                                   sql::numero(int64_t(kTipoCargos)) +
                                                   QStringLiteral(" order by PREF_PRE, AUTO_FECHA, AUTO_NUMERO"));
    });
    abriendo_ = false;
    if (!abierta) return false;

    bool permitido = false;
    if (!manejador_.proteger([&] { permitido = valide_acceso(sesion_, kDerecho, kModulo); })) return false;
    if (!permitido) {
        interaccion_.error(kAccesoNegado);
        return false;
    }

    struct Columna {
        const char* campo;
        const char* titulo;
    };
    for (const Columna& c :
         {Columna{"PREF_PRE", "Prefijo"}, Columna{"AUTO_NUMERO", "Autorización"}, Columna{"AUTO_FECHA", "Fecha"},
          Columna{"AUTO_INICIAL", "Inicial"}, Columna{"AUTO_FINAL", "Final"}, Columna{"AUTO_VENCE", "Vence"},
          Columna{"AUTO_AVISAR", "Avisar"}, Columna{"AUTO_USRAVISO", "Usuario aviso"},
          Columna{"AUTO_TOKENEMP", "Token empresa"}, Columna{"AUTO_TOKENPSW", "Clave token"},
          Columna{"AUTO_ARCHFE", "Archivo F.E."}})
        autorizaciones_.field(QString::fromLatin1(c.campo)).setLabel(QString::fromUtf8(c.titulo));
    // The columns after AUTO_ARCHFE belong to the sales and point-of-sale
    // modules: carried through, never written here, so that a change those
    // modules make meanwhile neither is overwritten nor stops this save.
    bool deOtrosModulos = false;
    for (int i = 0; i < autorizaciones_.fieldCount(); ++i) {
        Field& f = autorizaciones_.field(i);
        f.setVisible(columnas().contains(f.name(), Qt::CaseInsensitive));
        if (deOtrosModulos && !f.calculated()) f.setReadOnly(true);
        if (f.name().compare(QLatin1String("AUTO_ARCHFE"), Qt::CaseInsensitive) == 0) deOtrosModulos = true;
    }
    alMoverse(autorizaciones_);
    return true;
}

QStringList Tfautorizacion::listaPrefijos() const {
    QStringList r;
    for (int i = 0; i < prefijos_.recordCount(); ++i) r << prefijos_.row(i).asString(QStringLiteral("PREF_PRE"));
    return r;
}

void Tfautorizacion::alMoverse(DataSet& a) {
    if (abriendo_ || a.isEmpty() || a.state() != DataSet::State::Browse) return;
    if (!a.asString(kNumero).trimmed().isEmpty()) a.edit();
}

void Tfautorizacion::antesDeGrabar(DataSet& a) {
    if (a.asString(kNumero).trimmed().isEmpty()) {
        cancelado_ = true;
        a.cancel();
    }
}

bool Tfautorizacion::nueva() {
    if (!autorizaciones_.isOpen()) return false;
    try {
        autorizaciones_.append();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(autorizaciones_, kDataset, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    return autorizaciones_.state() == DataSet::State::Insert;
}

bool Tfautorizacion::grabar() {
    if (!autorizaciones_.isOpen()) return false;
    cancelado_ = false;
    try {
        autorizaciones_.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(autorizaciones_, kDataset, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    if (cancelado_) return false;
    try {
        autorizaciones_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, kProveedor);
        alMoverse(autorizaciones_);
        return false;
    }
    emit cerrar();
    return true;
}

void Tfautorizacion::salir() {
    if (autorizaciones_.isOpen() && autorizaciones_.state() != DataSet::State::Browse) autorizaciones_.cancel();
    emit cerrar();
}

}  // namespace cxp

#include "comunes/NuevaCuenta.h"

#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QRegularExpression>

namespace cxp {

namespace {
const QString kDataset = QStringLiteral("cdsCuenta");
}  // namespace

NuevaCuenta::NuevaCuenta(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const QString& codigo, bool niif)
    : sesion_(sesion), interaccion_(interaccion), manejador_(manejador), codigo_(codigo.trimmed()), niif_(niif) {
    cuenta_.beforePost([](DataSet& c) {
        // A name of blanks is no name: the required check stops it.
        if (c.asString(QStringLiteral("CUEN_NOM")).trimmed().isEmpty() && !c.isNull(QStringLiteral("CUEN_NOM")))
            c.setValue(QStringLiteral("CUEN_NOM"), fb::Value());
    });
}

QString NuevaCuenta::tabla() const { return niif_ ? QStringLiteral("CUENTAS_NIIF") : QStringLiteral("CUENTAS"); }

QString NuevaCuenta::titulo() const { return niif_ ? QStringLiteral("Nueva cuenta NIIF") : QStringLiteral("Nueva cuenta"); }

QString NuevaCuenta::naturalezaDe(const QString& codigo) {
    const QChar clase = codigo.trimmed().isEmpty() ? QChar() : codigo.trimmed().at(0);
    return QStringLiteral("2349").contains(clase) && !clase.isNull() ? QStringLiteral("C") : QStringLiteral("D");
}

bool NuevaCuenta::codigoValido(const QString& codigo) {
    static const QRegularExpression digitos(QStringLiteral("^[0-9]+$"));
    static const QList<qsizetype> niveles{1, 2, 4, 6, 8, 10, 12};
    return digitos.match(codigo).hasMatch() && niveles.contains(codigo.size());
}

bool NuevaCuenta::abrir() {
    bool permitido = false;
    if (!manejador_.proteger([&] { permitido = valide_acceso(sesion_, kDerecho, kModulo); })) return false;
    if (!permitido) {
        interaccion_.informacion(kDerechoNegado);
        return false;
    }
    if (!codigoValido(codigo_)) {
        interaccion_.informacion(kCodigoErrado);
        return false;
    }
    return manejador_.proteger([&] {
        cuenta_.setUpdateTable(tabla(), {QStringLiteral("CUEN_COD")});
        cuenta_.openEmpty(sesion_.compania,
                          QStringLiteral("select CUEN_COD, CUEN_NOM, CUEN_NATURALEZA, CUEN_ACTIVA, CUEN_TERCERO, "
                                         "CUEN_CENTRO, CUEN_RETENCION, CUEN_BASEMIN, CUEN_PORC from ") +
                              tabla() + QStringLiteral(" where 1 = 0"));
        struct Columna {
            const char* campo;
            const char* titulo;
        };
        for (const Columna& c : {Columna{"CUEN_COD", "Código"}, Columna{"CUEN_NOM", "Nombre"},
                                 Columna{"CUEN_NATURALEZA", "Naturaleza"}, Columna{"CUEN_ACTIVA", "Activa"},
                                 Columna{"CUEN_TERCERO", "Tercero"}, Columna{"CUEN_CENTRO", "Centro de costo"},
                                 Columna{"CUEN_RETENCION", "Retención"}, Columna{"CUEN_BASEMIN", "Base mínima"},
                                 Columna{"CUEN_PORC", "Porcentaje"}})
            cuenta_.field(QString::fromLatin1(c.campo)).setLabel(QString::fromUtf8(c.titulo));
        cuenta_.append();
        cuenta_.setValue(QStringLiteral("CUEN_COD"), codigo_);
        cuenta_.setValue(QStringLiteral("CUEN_NATURALEZA"), naturalezaDe(codigo_));
        cuenta_.setValue(QStringLiteral("CUEN_ACTIVA"), QStringLiteral("S"));
        for (const char* bandera : {"CUEN_TERCERO", "CUEN_CENTRO", "CUEN_RETENCION"})
            cuenta_.setValue(QString::fromLatin1(bandera), QStringLiteral("N"));
        cuenta_.setValue(QStringLiteral("CUEN_BASEMIN"), Dinero());
        cuenta_.setValue(QStringLiteral("CUEN_PORC"), Dinero());
        // The code was given by the screen that asked; it is not retyped here.
        cuenta_.field(QStringLiteral("CUEN_COD")).setReadOnly(true);
    });
}

std::optional<QString> NuevaCuenta::crear() {
    if (!cuenta_.isOpen() || cuenta_.isEmpty()) return std::nullopt;
    try {
        cuenta_.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(cuenta_, kDataset, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return std::nullopt;
    }
    try {
        cuenta_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, niif_ ? QStringLiteral("QCuentas_niif") : QStringLiteral("QCuentas"));
        cuenta_.edit();
        return std::nullopt;
    }
    return codigo_;
}

}  // namespace cxp

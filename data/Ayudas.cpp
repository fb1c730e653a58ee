#include "data/Ayudas.h"

#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

#include <QFile>
#include <QSet>
#include <QTextStream>
#include <optional>
#include <stdexcept>

namespace cxp {

namespace {

const QString kFormato = QStringLiteral("yyyy/MM/dd");

[[noreturn]] void fechaInvalida(const QString& texto, const QString& propiedad) {
    throw std::invalid_argument(QStringLiteral("El valor \"%1\" de la configuración %2 no es una fecha.")
                                    .arg(texto, propiedad)
                                    .toStdString());
}

// "yyyy/mm/dd"; the month and day may come without their leading zero.
std::optional<QDate> bloqueoAdministrativo(const Configuracion& conf) {
    const QString propiedad = QStringLiteral("FECHA DE BLOQUEO ADMINISTRATIVO");
    const QString texto = conf.valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"), propiedad).trimmed();
    if (texto.isEmpty()) return std::nullopt;  // no lock set
    const QStringList partes = texto.split(QLatin1Char('/'));
    bool a = false, m = false, d = false;
    const QDate f = partes.size() == 3 ? QDate(partes[0].toInt(&a), partes[1].toInt(&m), partes[2].toInt(&d)) : QDate();
    if (!a || !m || !d || !f.isValid()) fechaInvalida(texto, propiedad);
    return f;
}

// Eight digits yyyymmdd: year from the first four, month from the next
// two, day from the last two.
std::optional<QDate> bloqueoContable(const Configuracion& conf) {
    const QString propiedad = QStringLiteral("FECHA DE BLOQUEO");
    const QString texto = conf.valor(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"), propiedad).trimmed();
    if (texto.isEmpty()) return std::nullopt;
    bool a = false, m = false, d = false;
    const QDate f(texto.left(4).toInt(&a), texto.mid(4, 2).toInt(&m), texto.right(2).toInt(&d));
    if (texto.size() < 8 || !a || !m || !d || !f.isValid()) fechaInvalida(texto, propiedad);
    return f;
}

// One round of the checks: the corrected date, or nothing when it passes.
std::optional<QDate> unaRonda(const QDate& fecha, const Configuracion& conf, Interaccion& inter, const QDate& hoy) {
    if (const auto modulos = bloqueoAdministrativo(conf); modulos && fecha <= *modulos) {
        inter.informacion(QStringLiteral("Los módulos estan bloqueados a: ") + modulos->toString(kFormato));
        return modulos->addDays(1);
    }
    const auto contable = bloqueoContable(conf);
    if (!contable) return std::nullopt;  // no accounting lock: no future check either
    if (fecha <= *contable) {
        inter.informacion(QStringLiteral("La contabilidad esta bloqueada a: ") + contable->toString(kFormato));
        // Today, unless today is itself locked: then the first open day. (The
        // lock date itself would be refused again on the next round.)
        return hoy > *contable ? hoy : contable->addDays(1);
    }
    const int dias = conf.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                 QStringLiteral("MAXIMO NUMERO DE DIAS PARA DOCUMENTOS FUTUROS"));
    if (fecha > hoy.addDays(dias)) {
        inter.informacion(QStringLiteral(
            "La fecha del documento es demasiado lejana. Revise la fecha del mismo y la fecha del sistema."));
        return hoy;
    }
    return std::nullopt;
}

}  // namespace

QDate valide_fecha(const QDate& fecha, const Configuracion& configuracion, Interaccion& interaccion,
                   const QDate& hoy) {
    if (!fecha.isValid()) return fecha;
    // Each correction is checked again. Locks that leave no open day (an
    // accounting lock past the future limit) would send the date back and
    // forth for ever: stop at the first date seen twice.
    QSet<QDate> vistas{fecha};
    QDate actual = fecha;
    while (const auto corregida = unaRonda(actual, configuracion, interaccion, hoy)) {
        actual = *corregida;
        if (vistas.contains(actual)) break;
        vistas.insert(actual);
    }
    return actual;
}

void valide_fecha(DataSet& dataset, const QString& campo, const Configuracion& configuracion,
                  Interaccion& interaccion, const QDate& hoy) {
    if (dataset.isNull(campo)) return;
    const QDate antes = dataset.asDate(campo);
    const QDate despues = valide_fecha(antes, configuracion, interaccion, hoy);
    if (despues != antes) dataset.setValue(campo, fb::Value(despues));
}

QString NombresCampos::nombre_campo(const QString& nombre) {
    if (!cargado_) {
        QHash<QString, QString> nuevos;
        for (const fb::Row& fila : compania_.query(QStringLiteral("select NOMBRE, DESCRIPCION from NOMBRES_CAMPOS")))
            nuevos.insert(fila[0].toString(), fila[1].toString());
        nombres_ = std::move(nuevos);
        cargado_ = true;
    }
    return nombres_.value(nombre, nombre);
}

QString nombre_impresora(const QString& directorio, const QString& nombre, Interaccion& interaccion) {
    const QString ruta = directorio + QStringLiteral("/impresoras.cfg");
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        interaccion.informacion(QStringLiteral("Error abriendo el archivo") + ruta);
        return {};
    }
    QTextStream entrada(&archivo);
    const QString buscado = nombre + QLatin1Char(',');
    QString linea;
    while (entrada.readLineInto(&linea)) {
        const int pos = linea.indexOf(buscado);
        // A file written on Windows may keep its carriage returns.
        if (pos >= 0) return linea.mid(pos + buscado.size()).remove(QLatin1Char('\r'));
    }
    return {};
}

}  // namespace cxp

#include "printing/formatos/TFmoverforma.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

const QList<TFmoverforma::Opcion>& TFmoverforma::opciones() {
    static const QList<Opcion> o = {
        {QStringLiteral("Mover a la derecha"), u'R', false},
        {QStringLiteral("Mover a la izquierda"), u'L', false},
        {QStringLiteral("Mover hacia arriba"), u'U', false},
        {QStringLiteral("Mover hacia abajo"), u'D', false},
        {QStringLiteral("Reducir verticalmente a la mitad"), u'M', true},
        {QStringLiteral("Reducir horizontalmente a la mitad"), u'Y', true},
        {QStringLiteral("Expandir verticalmente al doble"), u'C', true},
        {QStringLiteral("Expandir horizontalmente al doble"), u'X', true},
    };
    return o;
}

TFmoverforma::TFmoverforma(int tipo, const QString& prefijo, Sesion& sesion, ManejadorErrores& manejador,
                           QObject* parent)
    : QObject(parent), tipo_(tipo), prefijo_(prefijo), sesion_(sesion), manejador_(manejador) {}

std::optional<int> TFmoverforma::entero(const QString& texto) {
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

void TFmoverforma::setPosiciones(const QString& texto) { posiciones_ = texto; }
void TFmoverforma::setDesde(const QString& texto) { desde_ = texto; }
void TFmoverforma::setHasta(const QString& texto) { hasta_ = texto; }

void TFmoverforma::setOpcion(int indice) {
    if (indice < 0 || indice >= opciones().size()) return;
    opcion_ = indice;
    if (opciones()[indice].escala) posiciones_.clear();
    emit camposCambiaron();
}

bool TFmoverforma::camposHabilitados() const { return !opciones()[opcion_].escala; }

int TFmoverforma::valorPosiciones() const { return entero(posiciones_).value_or(0); }
int TFmoverforma::valorDesde() const { return entero(desde_).value_or(0); }
int TFmoverforma::valorHasta() const { return entero(hasta_).value_or(2000); }
QChar TFmoverforma::accion() const { return opciones()[opcion_].accion; }

bool TFmoverforma::grabar() {
    bool hecho = false;
    try {
        fb::Transaction tr(sesion_.compania);
        tr.execute(QStringLiteral("EXECUTE PROCEDURE MOVER_FORMATO(?, ?, ?, ?, ?, ?)"),
                   {tipo_, prefijo_, valorPosiciones(), valorDesde(), valorHasta(), QString(accion())});
        tr.commit();
        hecho = true;
    } catch (const std::exception& e) {
        manejador_.ManejarError(e);
        return false;
    }
    emit cerrar(hecho);
    return true;
}

void TFmoverforma::cancelar() { emit cerrar(false); }

}  // namespace cxp

#include "app/mensajes/AlertaMensajes.h"

#include <algorithm>

namespace cxp {

namespace {
const QString kSalto = QStringLiteral("<br>");
}

unsigned AlertaMensajes::colorDeNivel(int nivel) {
    switch (nivel) {
    case 1: return kMagentaClaro;
    case 2: return kAmarilloClaro;
    case 3: return kCianClaro;
    default: return kBlanco;
    }
}

QString AlertaMensajes::textoDe(int64_t id, const QString& mensaje, const QString& autor) {
    return QString::number(id) + QStringLiteral("<br><b>") + mensaje.toHtmlEscaped() + QStringLiteral("<br>De : ") +
           autor.toHtmlEscaped() + QStringLiteral("</b><br>Haga clic para marcar como leído");
}

std::optional<int64_t> AlertaMensajes::idDe(const QString& texto) {
    const qsizetype fin = texto.indexOf(kSalto);
    if (fin < 0) return std::nullopt;
    bool ok = false;
    const qlonglong id = texto.left(fin).trimmed().toLongLong(&ok);
    if (!ok || id <= 0) return std::nullopt;
    return int64_t(id);
}

void AlertaMensajes::limpiar() {
    mensajes_.clear();
    posicion_ = 0;
    emit cambio();
}

void AlertaMensajes::agregar(const QString& texto, unsigned color) {
    mensajes_.push_back({texto, color});
    emit cambio();
}

void AlertaMensajes::setPosicion(int posicion) {
    const int nueva = mensajes_.empty() ? 0 : std::clamp(posicion, 0, cantidad() - 1);
    if (nueva == posicion_) return;
    posicion_ = nueva;
    emit cambio();
}

QString AlertaMensajes::textoPosicion() const {
    return QString::asprintf("%d de %d", vacia() ? 0 : posicion_ + 1, cantidad());
}

void AlertaMensajes::setColor(unsigned color) {
    if (color == color_) return;
    color_ = color;
    emit cambio();
}

}  // namespace cxp

#include "printing/motor/Motor.h"

#include <cmath>

namespace cxp {

double factorGrilla(double pulgadas, int unidades) {
    return std::round(pulgadas / unidades * 10000.0) / 10000.0;
}

int Formato::maximaPosY() const {
    int maximo = 0;
    for (const DatoFormato& d : datos)
        if (d.imprime && d.posY > maximo) maximo = d.posY;
    return maximo;
}

MotorImpresion::MotorImpresion(const Formato& formato, const DocumentoImpreso& documento, Lienzo& lienzo)
    : f_(formato), doc_(documento), lienzo_(lienzo) {}

QString MotorImpresion::validar(const Formato& formato) {
    // With several pages allowed, a page holding no detail line would start a
    // new page before every line and never end.
    if (formato.paginas && (!formato.nroItems || *formato.nroItems < 1))
        return QStringLiteral("El formato de impresión permite varias páginas pero su número de repeticiones "
                              "items no es mayor que cero; corríjalo en el formato.");
    return {};
}

QString MotorImpresion::cortar(const QString& texto, int inicio, std::optional<int> longitud) {
    if (!longitud || *longitud == 0) return texto;
    if (*longitud < 0) return {};
    return texto.mid(std::max(inicio, 1) - 1, *longitud);
}

QString MotorImpresion::textoNumero(const std::optional<Dinero>& valor, const QString& decimales, bool moneda) {
    bool ok = false;
    int d = decimales.trimmed().toInt(&ok);
    if (!ok) d = 2;
    d = std::clamp(d, 0, 10);
    const Dinero v = valor.value_or(Dinero());
    const QString cifra = v.abs().texto(d);
    const QString signo = v.signo() < 0 ? QStringLiteral("-") : QString();
    return moneda ? signo + QStringLiteral("$ ") + cifra : signo + cifra;
}

FuenteTexto MotorImpresion::fuenteDe(const QString& nombre, std::optional<int> tamano) const {
    FuenteTexto fuente;
    fuente.nombre = nombre.trimmed().isEmpty() ? f_.fuente : nombre.trimmed();
    fuente.puntos = tamano && *tamano > 0 ? *tamano : (f_.tamano > 0 ? f_.tamano : 10);
    return fuente;
}

double MotorImpresion::desplazamiento() const {
    return double(f_.entrelinea) * lineas_ * fy_;
}

ResultadoMotor MotorImpresion::imprimir() {
    ResultadoMotor r;
    r.error = validar(f_);
    if (!r.error.isEmpty()) return r;
    const QSizeF pagina = lienzo_.pagina();
    fx_ = factorGrilla(pagina.width(), 1500);
    fy_ = factorGrilla(pagina.height(), 2000);
    lineas_ = 0;
    pagina_ = 1;
    imprimeLogo();
    imprimeEncabezado(0);
    for (const auto& corrida : doc_.detalles) imprimeDetalle(corrida);
    if (!doc_.unaParte) imprimeEncabezado(1);
    r.impreso = true;
    r.paginas = pagina_;
    return r;
}

void MotorImpresion::imprimeLogo() {
    if (doc_.logo.isEmpty()) return;
    for (const DatoFormato& d : f_.datos) {
        if (!d.imprime || d.dato != QLatin1String("LOGO COMPANIA")) continue;
        const double lado = d.longitud.value_or(0);
        const QPointF desde(d.posX * fx_, d.posY * fy_);
        lienzo_.imagen(QRectF(desde, QPointF(desde.x() + lado * fx_, desde.y() + lado * fy_)), doc_.logo);
    }
}

void MotorImpresion::imprimeEncabezado(int pase) {
    if (pase == 0 && doc_.anulado && !doc_.imagenAnulado.isEmpty()) {
        const QSizeF pagina = lienzo_.pagina();
        lienzo_.imagen(QRectF(QPointF(1, 1), QPointF(pagina.width(), fy_ * f_.maximaPosY())), doc_.imagenAnulado);
    }
    const bool todos = doc_.unaParte;
    const double corrimiento = desplazamiento();
    for (const LineaFormato& e : f_.lineas) {
        if (!todos && e.liquida != (pase == 1)) continue;
        const double x = e.posX * fx_;
        const double y = e.posY * fy_ + corrimiento;
        // The element moves down with the lines printed; its extent stays.
        const double lx = e.x * fx_;
        const double ly = e.y * fy_;
        switch (e.tipo.unicode()) {
        case u'T':
            lienzo_.texto(QPointF(x, y), e.cadena, fuenteDe(e.fuente, e.tamano), Alineacion::Izquierda);
            break;
        case u'L':
            lienzo_.linea(QPointF(x, y), QPointF(x + lx, y + ly), 2);
            break;
        case u'C':
            lienzo_.cuadro(QRectF(QPointF(x, y), QPointF(x + lx, y + ly)).normalized(), 2);
            break;
        case u'G':
            if (!e.imagen.isEmpty()) lienzo_.imagen(QRectF(QPointF(x, y), QPointF(x + lx, y + ly)), e.imagen);
            break;
        default:
            break;
        }
    }
    for (const DatoFormato& d : f_.datos) {
        if (!d.imprime || d.repite) continue;
        if (!todos && d.liquida != (pase == 1)) continue;
        if (d.dato == QLatin1String("LOGO COMPANIA")) continue;
        const std::optional<ValorImpreso> v = doc_.valor ? doc_.valor(d.dato, pagina_) : std::nullopt;
        if (!v) continue;
        const double y = d.posY * fy_ + (d.posYVariable ? corrimiento : 0.0);
        imprimaDato(d, *v, y);
    }
}

void MotorImpresion::imprimaDato(const DatoFormato& d, const ValorImpreso& v, double y) {
    const FuenteTexto fuente = fuenteDe(d.fuente, d.tamano);
    const double x = d.posX * fx_;
    if (v.clase == ValorImpreso::Clase::Texto)
        lienzo_.texto(QPointF(x, y), cortar(v.texto, d.inicio, d.longitud), fuente, Alineacion::Izquierda);
    else
        lienzo_.texto(QPointF(x, y), textoNumero(v.numero, d.formato, v.clase == ValorImpreso::Clase::Moneda),
                      fuente, Alineacion::Derecha);
}

void MotorImpresion::imprimeDetalle(const std::vector<FuenteDetalle>& fuentes) {
    lineas_ = 0;
    size_t fila = 0;
    auto quedan = [&] {
        for (const FuenteDetalle& f : fuentes)
            if (fila < f.filas.size()) return true;
        return false;
    };
    while (quedan()) {
        if (f_.nroItems && lineas_ >= *f_.nroItems) {
            if (!f_.paginas) return;  // the rest of the detail is cut
            lienzo_.nuevaPagina();
            ++pagina_;
            lineas_ = 0;
            imprimeEncabezado(0);
        }
        for (const DatoFormato& d : f_.datos) {
            if (!d.imprime || !d.repite || d.liquida) continue;
            const double y = d.posY * fy_ + desplazamiento();
            for (const FuenteDetalle& f : fuentes) {
                if (!f.nombres.contains(d.dato)) continue;
                if (fila < f.filas.size()) {
                    const auto it = f.filas[fila].constFind(d.dato);
                    if (it != f.filas[fila].constEnd()) imprimaDato(d, *it, y);
                }
                break;
            }
        }
        ++fila;
        ++lineas_;
    }
}

}  // namespace cxp

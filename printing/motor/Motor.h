#pragma once
// The format-driven printing engine shared by every document printer. A
// page is made of the format's drawing elements and data items placed on a
// 1500 × 2000 grid mapped onto the paper; detail items repeat line by line
// with a page break after the format's number of lines; closing items
// (totals) come after the detail.
#include "base/Dinero.h"
#include "printing/motor/Formato.h"
#include "printing/motor/Lienzo.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace cxp {

// One value of the document's vocabulary, as it prints.
struct ValorImpreso {
    enum class Clase { Texto, Numero, Moneda };
    Clase clase = Clase::Texto;
    QString texto;
    std::optional<Dinero> numero;  // empty number prints as 0

    static ValorImpreso deTexto(const QString& t) { return {Clase::Texto, t, std::nullopt}; }
    static ValorImpreso deNumero(std::optional<Dinero> n) { return {Clase::Numero, {}, n}; }
    static ValorImpreso deMoneda(std::optional<Dinero> n) { return {Clase::Moneda, {}, n}; }
};

using FilaImpresa = QHash<QString, ValorImpreso>;

// A detail source: the data names it answers and its rows.
struct FuenteDetalle {
    QSet<QString> nombres;
    std::vector<FilaImpresa> filas;
};

// What the engine prints: the page-part values and the detail sources.
struct DocumentoImpreso {
    // The value of a page-part data name on a page; nothing for a name
    // outside the document's vocabulary (the item prints nothing).
    std::function<std::optional<ValorImpreso>(const QString& dato, int pagina)> valor;
    // Detail runs, one after the other; the sources of one run print side
    // by side (line n shows the n-th row of each).
    std::vector<std::vector<FuenteDetalle>> detalles;
    QByteArray logo;           // company logo; empty: the logo item prints nothing
    bool anulado = false;
    QByteArray imagenAnulado;  // the "anulado.bmp" stamp
    // One page part with every element and item (no closing pass after
    // the detail).
    bool unaParte = false;
};

struct ResultadoMotor {
    bool impreso = false;
    int paginas = 0;
    QString error;
};

class MotorImpresion {
public:
    MotorImpresion(const Formato& formato, const DocumentoImpreso& documento, Lienzo& lienzo);

    // Draws the whole document. A format that cannot print is refused
    // before anything is drawn.
    ResultadoMotor imprimir();

    // Why a format cannot print, or an empty text.
    static QString validar(const Formato& formato);

    // imprima_cadena's cut: `longitud` characters from character `inicio`
    // (1-based) when a length other than 0 is set.
    static QString cortar(const QString& texto, int inicio, std::optional<int> longitud);
    // imprima_numero's text: thousands separators, the item's decimals (2
    // when "Decimal" is not an integer), the currency sign for money.
    static QString textoNumero(const std::optional<Dinero>& valor, const QString& decimales, bool moneda);

private:
    void imprimeEncabezado(int pase);
    void imprimeDetalle(const std::vector<FuenteDetalle>& fuentes);
    void imprimeLogo();
    void imprimaDato(const DatoFormato& d, const ValorImpreso& v, double y);
    FuenteTexto fuenteDe(const QString& nombre, std::optional<int> tamano) const;
    double desplazamiento() const;

    const Formato& f_;
    const DocumentoImpreso& doc_;
    Lienzo& lienzo_;
    double fx_ = 0;
    double fy_ = 0;
    int lineas_ = 0;
    int pagina_ = 1;
};

// fx and fy: the page in inches over the grid, rounded to 4 decimals.
double factorGrilla(double pulgadas, int unidades);

}  // namespace cxp

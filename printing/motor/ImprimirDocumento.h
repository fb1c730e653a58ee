#pragma once
// Printing one payables document on its print format, for any screen: the
// document screens after a save, the searches, and the trial print of the
// format maintenance. The format is the one of (tipo, prefijo); the
// document is read by its id.
#include <QString>
#include <cstdint>

class QWidget;

namespace cxp {

class Configuracion;
class Interaccion;
struct Sesion;

enum class SalidaImpresion {
    Impresora,  // the format's printer; with previews on, the preview and its print set-up
    Vista,      // print preview window
    Pdf,        // PDF file at `archivo`
    Html,       // HTML file at `archivo`
};

struct PedidoImpresion {
    int tipo = 0;             // 51, 52, 53, 55, 56 or 62
    QString prefijo;          // prefix whose format is used; empty: the document's own
    int64_t id = 0;           // document id
    SalidaImpresion salida = SalidaImpresion::Impresora;
    QString archivo;          // for Pdf and Html
    bool formatoGeneral = false;  // print with the type's "0000" format
};

struct ResultadoImpresion {
    bool impreso = false;
    int paginas = 0;
    QString mensaje;  // why nothing was printed (already shown to the person)
};

// Prints the document. Failures (no format, a format that cannot print, a
// document that does not exist) are told to the person through
// `interaccion` and returned in the result; nothing is printed then.
ResultadoImpresion imprimirDocumento(Sesion& sesion, const Configuracion& configuracion, Interaccion& interaccion,
                                     const PedidoImpresion& pedido, QWidget* padre = nullptr);

}  // namespace cxp

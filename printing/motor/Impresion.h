#pragma once
// One print run of a document: the format chosen for it (the general
// "0000" one on request, the cheque format for a voucher paid by the bank
// when so configured, the additional cheque), the printer the format names,
// the paper, the job title, and the pages drawn on any canvas. PDF, HTML and
// PNG outputs live here; the printer and the preview are in the windows.
#include "printing/motor/DatosImpresion.h"
#include "printing/motor/Formato.h"
#include "printing/motor/Motor.h"

#include <QSizeF>
#include <QString>
#include <vector>

namespace cxp {

class Configuracion;
class Interaccion;
struct Sesion;

inline const QString kSinFormato = QStringLiteral("No se encontró el formato de impresión.");

// One report to print: a format filled with a document.
struct TrabajoImpresion {
    Formato formato;
    QString titulo;     // print job title
    QString impresora;  // installed printer to use; empty: no change
    QSizeF papel;       // inches; empty: the printer's own paper
};

struct PlanImpresion {
    std::vector<TrabajoImpresion> trabajos;
    DocumentoLeido documento;
    bool previsualizar = false;  // the output dialog is offered
    bool cerrar = true;          // the window closes after printing
    QString error;               // why nothing prints (already told)
};

class Impresion {
public:
    Impresion(Sesion& sesion, const Configuracion& configuracion, Interaccion& interaccion);

    // Reads document `id` of kind `tipo` and chooses its formats.
    // `prefijoFormato` empty: the document's own prefix. `general`: the
    // type's "0000" format. Failures are told to the person and returned
    // in `error` with no report to print.
    PlanImpresion preparar(int tipo, int64_t id, bool general, const QString& prefijoFormato = {});

    // The "anulado.bmp" stamp of the installation directory; a drawn
    // "ANULADO" when the file is missing or is not a picture.
    QByteArray imagenAnulado() const;

private:
    std::optional<Formato> formato(int tipo, const QString& prefijo);
    QString impresoraDe(const Formato& f, bool previsualizar);

    Sesion& sesion_;
    const Configuracion& configuracion_;
    Interaccion& interaccion_;
};

// Draws one report on a canvas.
ResultadoMotor dibujar(const TrabajoImpresion& trabajo, const DocumentoImpreso& documento, Lienzo& lienzo);

// The paper of a report: its custom size, or Letter.
QSizeF papelDe(const TrabajoImpresion& trabajo);

// File outputs of a whole plan (every report, one after the other). False
// with the reason in `error` when the file cannot be written.
ResultadoMotor imprimirPdf(const PlanImpresion& plan, const QString& archivo);
ResultadoMotor imprimirHtml(const PlanImpresion& plan, const QString& archivo);
// One PNG per page: archivo, then archivo-2.png, ... (for pictures of the formats).
ResultadoMotor imprimirPng(const PlanImpresion& plan, const QString& archivo, int puntosPorPulgada = 100);

}  // namespace cxp

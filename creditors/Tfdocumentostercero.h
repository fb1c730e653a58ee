#pragma once
// "Documentos por tercero": the PDF files attached to a third party
// (TERCERO_DOCUMENTOS), listed by item and title; the current one is
// written to a temporary file for the viewer beside the list. New documents
// take the next item; deleting needs right 12. The temporary files written
// here are removed when the screen goes. Screen logic only.
#include "data/DataSet.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryFile>
#include <memory>
#include <vector>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfdocumentostercero : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Documentos por tercero");
    static inline const QString kNoPdf = QStringLiteral("El archivo seleccionado no es un documento PDF.");

    Tfdocumentostercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QString nit,
                        QObject* parent = nullptr);
    ~Tfdocumentostercero() override;

    bool abrir();
    DataSet& documentos() { return documentos_; }
    const QString& nit() const { return nit_; }

    // The current document written to a private temporary file of this
    // screen (unpredictable name, readable by its owner alone), which goes
    // with the screen; empty when there is none. Another screen, of this
    // clerk or another, never shares or removes it.
    QString archivoActual();
    // Whether a file's content is a PDF.
    static bool esPdf(const QByteArray& contenido);
    // "Registrar documento del tercero": stores the file under the title.
    // A file that is not a PDF is refused with kNoPdf. False when nothing
    // was stored.
    bool registrar(const QString& titulo, const QString& ruta);
    // "F3:Borrar": right 12, the question, the deletion.
    void borrar();
    // Removes the temporary files written so far.
    void limpiar();
    QStringList temporales() const;

signals:
    void cerrar();

private:

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    QString nit_;
    DataSet documentos_;
    std::vector<std::unique_ptr<QTemporaryFile>> temporales_;
};

}  // namespace cxp

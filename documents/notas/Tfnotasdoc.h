#pragma once
// "Notas al documento": the notes of one document of any type (its type
// code and its id), with the attached file kept in the database; and
// "Registrar Nota al documento", the entry of a new note. Screen logic only;
// the widgets are TfnotasdocVista.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>
#include <cstdint>

namespace cxp {

class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfnotasdoc : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Notas al documento");

    Tfnotasdoc(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo, int64_t idDocumento,
               DataSet& lista, QObject* parent = nullptr);

    int tipo() const { return tipo_; }
    int64_t idDocumento() const { return idDocumento_; }
    // The list of the document's notes (busqueda_notasdoc).
    bool abrir();
    // The attached file of the current note, read from the database; empty
    // when it has none.
    QByteArray adjunto() const;
    // The attached file written under the program's "pdf" folder, for the
    // desktop's handler; empty when there is none or it cannot be written.
    QString adjuntoEnDisco() const;
    // F3: asks, deletes the current note and lists again.
    bool borrar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    int tipo_;
    int64_t idDocumento_;
    DataSet& lista_;
};

struct TipoNota {
    int codigo;
    QString nombre;
};

class Tfnvanotadoc : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Registrar Nota al documento");
    static inline const QString kSinResumen = QStringLiteral("Debe escribir el resumen de la nota.");
    static inline const QString kSinTipo = QStringLiteral("Debe escoger el tipo de nota.");
    // Larger attachments are refused: they travel whole in every read.
    static constexpr qint64 kMaximoAdjunto = 32 * 1024 * 1024;

    Tfnvanotadoc(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo, int64_t idDocumento,
                 QObject* parent = nullptr);

    QVector<TipoNota> tiposNota() const;

    int tipoNota = 0;
    QString resumen;
    QString texto;
    // The file chosen in the dialog: its path and its content read at once.
    bool adjuntar(const QString& ruta);
    const QString& ruta() const { return ruta_; }
    const QByteArray& contenido() const { return contenido_; }

    // F2: the new note with its id from CAMBIE_IDNOTADOC; its id, or 0
    // after the message.
    int64_t grabar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    int tipo_;
    int64_t idDocumento_;
    QString ruta_;
    QByteArray contenido_;
};

}  // namespace cxp

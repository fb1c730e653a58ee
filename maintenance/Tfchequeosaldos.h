#pragma once
// "Recálculo de saldos": recomputes the stored balances of the payables
// documents of a range of creditors from their movements and lists the
// documents found inconsistent. The range is walked in chunks of whole
// creditors of about so many documents (by their stored balances), each
// checked (CHEQUEO_SALDOS_DOC_CXPAGAR) and its faulty documents
// repaired (REPARE_SALDO_DOC_CXPAGAR) in one transaction; between chunks
// the view's pump keeps the program answering and the progress moving.
// Screen logic only; the widgets are TfchequeosaldosVista.
#include "data/DataSet.h"

#include <QObject>
#include <QString>
#include <functional>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

// Runs trabajo on a thread of its own while this thread's event loop goes
// on, and returns when it ends; what it throws is thrown here.
void enOtroHilo(const std::function<void()>& trabajo);

class Tfchequeosaldos : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Recálculo de saldos");
    static inline const QString kAdvertencia = QStringLiteral(
        "Esta opción solámente debe usarse si usted o su asesor han modificado manualmente el contenido de la "
        "base de datos. En ningún caso se requiere si usted ha efectuado todas las operaciones directamente por "
        "las opciones del programa.");
    static inline const QString kPanel = QStringLiteral("Recalculando saldos documentos cxpagar ...");
    static inline const QString kSinRango =
        QStringLiteral("Ingrese un rango de proveedores para realizar el procedimiento.");
    static inline const QString kExito = QStringLiteral("Procedimiento ejecutado con exito....");
    static inline const QString kConErrores = QStringLiteral("Se presentaron errores durante el chequeo....");
    static inline const QString kTituloErrores = QStringLiteral("Errores presentados durante el chequeo de saldos.");

    Tfchequeosaldos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);

    const QString& inicial() const { return inicial_; }
    const QString& ultimo() const { return ultimo_; }
    void setInicial(const QString& nit);
    void setFinal(const QString& nit);
    // "F2: Recalcular" is enabled once the last creditor is filled in.
    bool puedeRecalcular() const { return !ultimo_.trimmed().isEmpty(); }
    // Double click on a field: the creditor search; the choice fills it.
    void buscarInicial();
    void buscarFinal();

    // Documents per chunk (each chunk one transaction): creditors are added
    // to a chunk until their documents reach it; a creditor is never split,
    // and one without documents weighs as one.
    static constexpr int kDocumentosPorTramo = 20000;
    void setTamanoTramo(int documentos) { tramo_ = qMax(1, documentos); }
    // Called between chunks (the view processes its events there).
    void setBomba(std::function<void()> bomba) { bomba_ = std::move(bomba); }
    // Runs the chunks away from the calling thread (enOtroHilo) on the same
    // attachment, while the program goes on answering; progress still
    // arrives by signal, messages and errors on the calling thread.
    void setEnHilo(bool on) { enHilo_ = on; }
    bool corriendo() const { return corriendo_; }

    // F2. True when the run ended (with or without faults found).
    bool recalcular();
    // The faults found and repaired: ID, TIPO, PREF, NUMERO, ERROR.
    DataSet& errores() { return errores_; }

signals:
    void cambioRango();
    // The panel's text; empty hides it. hechos of total creditors done.
    void panel(const QString& texto);
    void progreso(int hechos, int total);
    void mostrarErrores();
    void cerrar();

private:
    struct Tramo {
        QString desde, hasta;
        int acreedores = 0;  // third parties it covers
    };
    // Contiguous sub-ranges covering [inicial, final] of about `tramo_`
    // documents each, and the creditors counted.
    std::vector<Tramo> tramos(int* acreedores);
    // Each chunk checked and its faults repaired, in its own transaction.
    void recorrer(const std::vector<Tramo>& partes, int acreedores, std::vector<fb::Row>& filas);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    QString inicial_;
    QString ultimo_;
    int tramo_ = kDocumentosPorTramo;
    std::function<void()> bomba_;
    bool corriendo_ = false;
    bool enHilo_ = false;
    DataSet errores_;
};

}  // namespace cxp

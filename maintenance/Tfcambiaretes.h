#pragma once
// "Cambiar retenciones acreedores": replaces one withholding rate or
// minimum base by another in every creditor record. Six pairs (old value,
// new value) in a fixed order; a pair runs only when both are filled in.
// Every value is checked as a number first (a rate from 0 to 100, a base
// not negative) and passed bound, never as SQL text; the pairs run in one
// transaction through CAMBIE_RETENCION_ACREEDORES, which writes an audit
// row per creditor changed; the screen ends telling how many creditors
// each pair changed. Screen logic only; the widgets are TfcambiaretesVista.
#include "base/Dinero.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfcambiaretes : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Cambiar retenciones acreedores");
    static constexpr int kPares = 6;

    struct Par {
        QString grupo;      // "Retención en la fuente"
        bool base;          // a minimum base (else a rate)
        QString progreso;   // "Cambiando porcentaje de retención en la fuente..."
        QString nombre;     // for the messages: "porcentaje de retención en la fuente"
    };
    // The six pairs in the order they run: rete-fuente rate and base,
    // rete-IVA rate, rete-ICA rate and base, CREE rate.
    static const std::array<Par, kPares>& pares();

    Tfcambiaretes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);

    void setAnterior(int par, const QString& texto) { anterior_[size_t(par)] = texto; }
    void setNuevo(int par, const QString& texto) { nuevo_[size_t(par)] = texto; }
    const QString& anterior(int par) const { return anterior_[size_t(par)]; }
    const QString& nuevo(int par) const { return nuevo_[size_t(par)]; }
    // The field names the view gives its boxes and focus goes to:
    // "anterior0".."anterior5", "nuevo0".."nuevo5".
    static QString campo(int par, bool nuevo);

    // F2. True when the change was applied (the screen then closes); the
    // creditors each pair changed, -1 for a pair skipped.
    bool grabar();
    const std::array<int, kPares>& cambiados() const { return cambiados_; }

signals:
    void progreso(const QString& texto);
    void cerrar();

private:
    // The value of a box as a number in its range, or nothing after
    // telling the person which field is wrong.
    std::optional<Dinero> valor(int par, bool nuevo);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    std::array<QString, kPares> anterior_;
    std::array<QString, kPares> nuevo_;
    std::array<int, kPares> cambiados_{};
};

}  // namespace cxp

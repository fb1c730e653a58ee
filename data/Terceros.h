#pragma once
// The third-parties data module's lookups for payables: whether a NIT is a
// third party, an active creditor, its name, its withholding profile and
// minimum bases, and the creditor's cost of an article.
#include "base/Dinero.h"

#include <QString>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Interaccion;

// A creditor's withholding profile: percentages of rete-fuente, rete-IVA,
// rete-ICA (per thousand) and CREE, and the simplified-regime flag.
struct PerfilRetenciones {
    QString nombre;
    Dinero retefuente;
    Dinero reteiva;
    Dinero reteica;
    Dinero cree;
    QString simplificado;
};

class Terceros {
public:
    Terceros(fb::Database& compania, Interaccion& interaccion, const Configuracion& configuracion);

    // A third party with that NIT, active or not.
    bool existe_nit(const QString& nit);
    // The supplier flag of the active third party with that NIT ("S" or
    // "N"), or empty when there is none.
    QString valide_proveedor(const QString& nit);
    // The active creditor's name, or empty.
    QString nombre_proveedor(const QString& nit);
    // The active creditor's name and withholdings; a simplified-regime
    // creditor's rete-IVA is the configured percentage for that regime,
    // whatever its own row holds. Nothing when there is no such creditor.
    std::optional<PerfilRetenciones> valide_proveedor_ret(const QString& nit);
    // Minimum bases of rete-fuente and rete-ICA, whole pesos; 0 when none.
    Dinero base_rtfte(const QString& nit);
    Dinero base_rtica(const QString& nit);
    // Name and the four percentages of an active third party with a
    // creditor row (no supplier-flag or regime rule).
    std::optional<PerfilRetenciones> valide_retenciones(const QString& nit);
    // The active third party's name, or empty.
    QString nom_tercero(const QString& nit);
    // An active third party: true; otherwise "Tercero Inactivo o no
    // encontrado." and false.
    bool valide_tercero(const QString& nit);
    // The creditor's cost of an article (0 when it has none).
    Dinero precio_proveedor(const QString& articulo, const QString& nit);

private:
    Dinero base(const QString& nit, const QString& columna);

    fb::Database& compania_;
    Interaccion& interaccion_;
    const Configuracion& configuracion_;
};

}  // namespace cxp

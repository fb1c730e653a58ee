#pragma once
// A new account of the local chart (CUENTAS) or of the NIIF chart
// (CUENTAS_NIIF), opened when a code typed in a screen does not exist and
// the person chose to create it: the code comes given, the person writes
// the name and chooses the nature, the flags and the withholding base and
// percentage. The account is inserted in one transaction; the database
// refuses a code whose parent account does not exist. Qt Core only: the
// dialog is NuevaCuentaVista.
#include "data/DataSet.h"

#include <QString>
#include <optional>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class NuevaCuenta {
public:
    // Creating accounts is right 0 of the accounting module.
    static constexpr int kDerecho = 0;
    static inline const QString kModulo = QStringLiteral("CONTABILIDAD");
    static inline const QString kCodigoErrado = QStringLiteral("El código de cuenta está incompleto o demasiado largo.");

    NuevaCuenta(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, const QString& codigo,
                bool niif);

    // Checks the right and the code and starts the new row. False, after
    // its message, when the account cannot be created here.
    bool abrir();

    DataSet& cuenta() { return cuenta_; }
    const QString& codigo() const { return codigo_; }
    bool niif() const { return niif_; }
    QString tabla() const;
    QString titulo() const;

    // Stores the account. Its code on success; nothing when a field is
    // missing or the database refused it (both reported, the row stays to
    // be corrected).
    std::optional<QString> crear();

    // The nature a code's class has: debit for classes 1, 5, 6, 7 and 8,
    // credit for 2, 3, 4 and 9.
    static QString naturalezaDe(const QString& codigo);
    // Digits only, of a level's length (1, 2, 4, 6, 8, 10 or 12).
    static bool codigoValido(const QString& codigo);

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    QString codigo_;
    bool niif_;
    DataSet cuenta_;
};

}  // namespace cxp

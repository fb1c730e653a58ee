#pragma once
// The accounting data module's lookups: accounts of the local and NIIF
// charts, projects and cost centres, fixed assets, the parent and balance of
// an account, and the user's working year and period.
#include "base/Dinero.h"

#include <QDate>
#include <QString>
#include <optional>

namespace cxp {

class Configuracion;
class Interaccion;
struct Sesion;

class Contabilidad {
public:
    // Result codes of the database's account check.
    enum CodigoCuenta { Valida = 0, NoExiste = 1, LongitudErrada = 2, NivelInferior = 3, TieneAuxiliares = 4 };

    Contabilidad(Sesion& sesion, Interaccion& interaccion, const Configuracion& configuracion);

    // valide_cuenta: true for an account that takes movements. A missing
    // account offers to create it (with right 0 of "CONTABILIDAD"); true only
    // when the person created it. Every other refusal shows its message.
    bool valide_cuenta(const QString& cuenta);
    bool valide_cuenta_niif(const QString& cuenta);
    // The database's code alone, without messages.
    int codigo_cuenta(const QString& cuenta, bool niif);

    // The account's name; empty for a missing one, and empty with the message
    // "La cuenta <c> está inactiva." for an inactive one.
    QString nom_cuenta(const QString& cuenta);
    QString nom_cuenta_niif(const QString& cuenta);

    QString nom_centro(const QString& proyecto);                          // "Proyecto no encontrado."
    QString nom_subcentro(const QString& proyecto, const QString& centro);  // "Centro de costos no encontrado."
    bool valide_centro(const QString& proyecto, const QString& centro);    // "Proyecto-Centro no encontrado."
    QString padre(const QString& cuenta);
    // The account's balance at a date, rounded to whole pesos.
    Dinero saldo_cuenta(const QString& cuenta, const QDate& fecha);
    QString desc_activo(const QString& codigo);

    // An account field as typed: "?<filter>" opens the account list and gives
    // the account chosen (or the text unchanged when none was chosen); any
    // other text is checked with valide_cuenta and comes back empty when it is
    // not valid. Empty stays empty.
    QString entrada_cuenta(const QString& texto, bool niif);
    // The account list in pick mode.
    std::optional<QString> elegir_cuenta(const QString& filtro, bool niif);

    // ---- working period: year "yyyy" and period from 0 (0-11 months, 12 adjustments).
    // Reads USER_ANOCNT and USER_PERCNT of the session's user; a user without
    // a year works in the current one.
    void cargar_periodo();
    const QString& ano() const { return ano_; }
    int periodo() const { return periodo_; }
    // The working period's name ("Diciembre", "Ajustes"), from `periodos`.
    QString nombre_periodo() const;
    void fijar_periodo(const QString& ano, int periodo) {
        ano_ = ano;
        periodo_ = periodo;
    }

    // "yyyymmdd" of a day of the working period; a day past the month's last
    // one beeps and gives the last day.
    QString compone_fecha(int dia);
    // The same as "yyyy/mm/dd".
    QString compone_fecha_admin(int dia);
    // Last day of the period's month (31 for the adjustments period).
    static int ultimo_dia(int ano, int periodo);

    // Next and previous working period, stored for the user. The previous
    // one stops (with a beep) at the books' first month.
    void mes_mas();
    void mes_menos();

private:
    bool validar(const QString& cuenta, bool niif);
    QString nombre(const QString& cuenta, bool niif);
    void guardar_periodo();
    QString componer(int dia, const QString& separador);

    Sesion& sesion_;
    Interaccion& interaccion_;
    const Configuracion& configuracion_;
    QString ano_;
    int periodo_ = 0;
};

}  // namespace cxp

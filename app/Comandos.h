#pragma once
// The commands of the main window and of the maintenance menu as data: the
// caption, the right of module "C. X PAGAR" each needs, the command run in
// its place when that right is missing, and the screen it opens. The views
// build their menus and buttons from these tables; the dispatcher runs them.
#include <QString>
#include <QVariantMap>
#include <functional>
#include <vector>

namespace cxp {

class Interaccion;

enum class Accion {
    Pantalla,  // opens its screen
    Aviso,     // shows the maintenance notice
    Ninguna    // does nothing
};

struct Comando {
    QString id;
    QString menu;      // path in the menu bar ("Documentos/Cargos"); empty: not in the menus
    QString titulo;    // caption, with its mnemonic
    QString atajo;     // portable key text ("Ctrl+A", "Shift+F1")
    int derecho = -1;  // -1: no right needed
    // Run instead when the right is missing: the document's search, which
    // checks its own right and gives the message.
    QString alterno;
    Accion accion = Accion::Pantalla;
    QString pantalla;  // class name of the screen
    QVariantMap argumentos;
};

// A button of the main window: a caption and the command it runs.
struct Boton {
    QString titulo;
    QString comando;
};

namespace comandos {

inline const QString kAccesoNegado =
    QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");
inline const QString kAvisoMantenimiento = QStringLiteral("Opción en mantenimiento, disculpe los inconvenientes.");

// Screens opened by start-up and the window menu.
inline const QString kTasaCambioDia = QStringLiteral("Tftasacambiodia");
inline const QString kMensaje = QStringLiteral("Tfmensaje");
inline const QString kMenuMantenimiento = QStringLiteral("Tfmenumantenimiento");
inline const QString kMovimientoCxp = QStringLiteral("Tfmovicuenxpagar");
inline const QString kAnalisisCxp = QStringLiteral("Tfanalisiscxp");
// Arguments some screens take from the main window.
inline const QString kArgGestion = QStringLiteral("gestion");                    // creditor search as management screen
inline const QString kArgDescuentos = QStringLiteral("descuentos_pronto_pago");  // analysis in its discount mode
inline const QString kArgNoModal = QStringLiteral("no_modal");

// Every command of the main window (menus, buttons) in menu order.
const std::vector<Comando>& principal();
// The maintenance menu's buttons: their own option numbers.
const std::vector<Comando>& mantenimiento();

// The left column, top to bottom (tab order): the eight text buttons with
// their picture buttons beside them.
const std::vector<Boton>& columna();
// The consult buttons below the header.
const std::vector<Boton>& consultas();

}  // namespace comandos

// Runs commands by id. Rights are asked through `acceso` (valide_acceso in
// the running module); `existe` tells whether a screen is part of this build.
class Despachador {
public:
    using Acceso = std::function<bool(int opcion)>;
    using Existe = std::function<bool(const QString& pantalla)>;

    Despachador(Interaccion& interaccion, Acceso acceso, Existe existe,
                const std::vector<Comando>& tabla = comandos::principal());

    // Checks the right and opens the screen, or falls back, or tells the
    // person the access is refused. True when a screen opened or the notice
    // was shown. A database failure of the right check is thrown.
    bool ejecutar(const QString& id);

    const Comando* buscar(const QString& id) const;
    // The person may run it: the right, or its fallback's right.
    bool permitido(const QString& id) const;
    // Choosing it does something in this build for this person: the
    // refusal message when the right (and any fallback's) is missing, the
    // notice, or a screen that exists; a command the right sends to a
    // fallback is available as the fallback is. A command that would do
    // nothing is not. A database failure of the right check is thrown.
    bool disponible(const QString& id) const;
    // As above without asking the rights: what the command itself does.
    bool disponibleSinDerechos(const QString& id) const;

private:
    Interaccion& interaccion_;
    Acceso acceso_;
    Existe existe_;
    const std::vector<Comando>& tabla_;
};

}  // namespace cxp

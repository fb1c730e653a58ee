#pragma once
// How a screen posts one of its documents to the ledger, the same for every
// caller: a consult screen first looks for the document's ledger voucher
// and opens it in the ledger voucher editor (with the right to edit
// vouchers); otherwise the interface definition is chosen, the posting
// operation builds the pending voucher, the review window shows it, and a
// saved pending voucher is finalized into a ledger voucher. A voucher that
// did not need the window is finalized at once only when the caller asks
// for it (the payment consult screen); the others leave it pending.
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Contabilizador;
class Interaccion;
struct ContextoContabilizacion;
struct Sesion;

struct DocumentoContable {
    int tipo = 0;  // 51, 52, 53, 62
    int id = 0;
    QString prefijo;
    QDate fecha;
};

class ProtocoloContabilizacion {
public:
    static inline const QString kAccesoNegado =
        QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");
    static inline const QString kEditor = QStringLiteral("Tfedtmovimien");
    static constexpr int kDerechoEditar = 31;

    // The interface definition of a document type and prefix; 0 for none.
    using ElegirInterfaz = std::function<int(int tipo, const QString& prefijo)>;
    // The review window for the posting context just set.
    struct Revision {
        bool necesaria = false;
        bool aceptada = false;
    };
    using Revisar = std::function<Revision()>;

    enum class Resultado {
        EditorAbierto,    // the ledger voucher existed: opened in the editor
        AccesoNegado,     // it existed and the person may not edit it
        SinInterfaz,      // no interface chosen: nothing posted
        SinComprobante,   // the procedure built no pending voucher
        Pendiente,        // not needed, left pending
        Cancelado,        // the window was left without saving
        Finalizado        // finalized into a ledger voucher
    };

    ProtocoloContabilizacion(Sesion& sesion, Interaccion& interaccion, const Configuracion& configuracion,
                             ContextoContabilizacion& contexto, ElegirInterfaz elegirInterfaz, Revisar revisar);
    ~ProtocoloContabilizacion();

    // The payment consult screen: a voucher that did not need the window
    // is finalized at once.
    void setFinalizarSinRevision(bool on) { finalizarSinRevision_ = on; }

    // A consult screen's "post" command.
    Resultado desdeConsulta(const DocumentoContable& documento);
    // A document screen right after it saved the document.
    Resultado contabilizar(const DocumentoContable& documento);

    // The document's ledger voucher (ENCO_CONSEC), if any.
    static std::optional<int> comprobanteExistente(fb::Database& compania, int tipo, int id);

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    const Configuracion& configuracion_;
    ContextoContabilizacion& contexto_;
    ElegirInterfaz elegirInterfaz_;
    Revisar revisar_;
    bool finalizarSinRevision_ = false;
};

}  // namespace cxp

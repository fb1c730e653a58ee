#pragma once
// What travels between a posting operation, the review window and the
// screen that posts: the document being posted (set by the caller just
// before it opens the review window, read and reset to 0 by the window) and
// whether its pending voucher must be shown before it is saved (set by the
// posting operation from the procedure's VER column).
namespace cxp {

struct ContextoContabilizacion {
    int tipo = 0;        // document type (51, 52, 53, 62 ...)
    int id = 0;          // document id
    bool mostrar = false;  // VER = 'S'

    void fijarDocumento(int tipoDocumento, int idDocumento) {
        tipo = tipoDocumento;
        id = idDocumento;
    }
};

}  // namespace cxp

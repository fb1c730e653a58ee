#pragma once
// A scratch company for the posting tests: a small chart under both charts
// (a plain account, a payable that needs a third party, a withholding
// account, an expense account that needs a cost centre, a fixed-asset
// account), a third party, cost centres of agency 0 and of agency 2, and
// helpers that write pending and ledger vouchers directly.
#include "accounting/contabilizacion/Contexto.h"
#include "tests/support/EntornoCompania.h"

namespace prueba {

// A line of a pending or ledger voucher: item, account, debit, credit.
struct Linea {
    int item;
    QString cuenta;
    QString debito;
    QString credito;
    QString tercero = {};
    QString concepto = {};
};

class EntornoContabilizacion : public EntornoCompania {
protected:
    cxp::ContextoContabilizacion contexto;

    void SetUp() override;

    void configurar(const QString& categoria, const QString& propiedad, const QString& valor) {
        configuracion.asignar(QStringLiteral("CONTABILIDAD"), categoria, propiedad, valor);
    }
    // Through the session's own connection.
    int64_t ejecutar(const QString& sql) { return sesion.compania.executeDirect(sql); }
    std::vector<fb::Row> filas(const QString& sql) { return sesion.compania.query(sql); }
    int64_t entero(const QString& sql) {
        auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? (*f)[0].toInt64() : 0;
    }

    // A pending voucher of document (tipo, id); its CNTB_ID.
    int pendiente(int tipo, int id, const std::vector<Linea>& lineas);
    // A ledger voucher of document (tipo, id) with local and NIIF lines; its ENCO_CONSEC.
    int comprobante(int tipo, int id, const std::vector<Linea>& local, const std::vector<Linea>& niif);
};

}  // namespace prueba

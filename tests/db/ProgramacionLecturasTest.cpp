// What the voucher generation of a plan reads of the plan's rows grows with
// the plan, not with its square: each row is read a few times, whatever the
// number of vouchers (one per row here).
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramacionLecturas, LasFilasDelPlanSeLeenPocasVecesPorEgreso) {
    for (const int filas : {20, 60}) {
        SCOPED_TRACE(filas);
        prueba::BaseTemporal base(prueba::plantillaDemo());
        fb::Database db = base.conectar();
        {
            fb::Transaction tr = db.begin();
            tr.execute("insert into programacion_pagos_enc (prpg_id, prpg_pref, prpg_numero, prpg_fecha, prpg_pregr, "
                       "prpg_fecegr, prpg_unegr, prpg_confirmado) values (1, '0000', '000001', current_date, 'BOG', "
                       "current_date, 'N', 'S')");
            for (int i = 0; i < filas; ++i) {
                tr.execute("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, NDPR_NUMERO, "
                           "NDPR_FECHA, NDPR_VENCE, NDPR_CONC, NDPR_MONTO, NDPR_USUARIO) values (?, '900456789', 51, "
                           "'CEN', ?, current_date - 1, current_date, 'PRUEBA', 1000, 'ADMIN')",
                           {int64_t(5000 + i), QString::number(500000 + i)});
                tr.execute("insert into programacion_pagos (prpg_id, prpg_item, prpg_fecha, prpg_tipodoc, prpg_iddoc, "
                           "prpg_abono, prpg_cob, prpg_idcaja, prpg_egreso, prpg_pref, prpg_fecegr) values (1, ?, "
                           "current_date, 51, ?, 1000, 'C', 1, 'S', 'BOG', current_date)",
                           {int64_t(i + 1), int64_t(5000 + i)});
            }
            tr.commit();
        }
        fb::Transaction tr = db.begin();
        EXPECT_TRUE(tr.query("select * from genere_egresos_progpago(1, 'ADMIN')").empty());
        EXPECT_EQ(tr.query("select count(*) from programacion_pagos where prpg_idegre <> 0")[0][0].toInt64(), filas);
        // The transaction's reads of the plan's rows, by the engine's own count.
        const auto lecturas = tr.query(
            "select coalesce(sum(r.mon$record_seq_reads + r.mon$record_idx_reads), 0) "
            "from mon$transactions t join mon$table_stats s on s.mon$stat_id = t.mon$stat_id "
            "join mon$record_stats r on r.mon$stat_id = s.mon$record_stat_id "
            "where t.mon$transaction_id = current_transaction and s.mon$table_name = 'PROGRAMACION_PAGOS'");
        EXPECT_LE(lecturas[0][0].toInt64(), 5 * filas);
        tr.rollback();
    }
}

}  // namespace

// A cashier's workstation for the vouchers' concurrency run: for a given
// time, stores payment vouchers on one prefix, each paid by a cheque of one
// automatic checkbook and a cash item, with its accounting line, as the
// voucher screen saves them (DataSets, one transaction, the retry rule, the
// next free number when another cashier took it). Prints one line per
// voucher ("numero id cheque intentos chequeOfrecido") or the error and
// status 1.
//
//   bench_cajero_egresos BASE USUARIO CLAVE SEGUNDOS PREFIJO NIT CUENTA CHEQUERA
#include "base/Dinero.h"
#include "data/DataSet.h"
#include "data/Numeracion.h"
#include "data/fb/Database.h"
#include "data/fb/DbError.h"

#include <QCoreApplication>
#include <QDate>
#include <chrono>
#include <cstdio>

namespace {

struct Parametros {
    QString prefijo, nit, chequera;
    int cuenta = 0;
};

// What the bank panel shows for an automatic checkbook: its next number.
QString chequeOfrecido(fb::Database& db, const Parametros& p) {
    const auto fila = db.queryOne("select PRBA_NUMERO from PREFIJOS_BANCOS where TIDO_COD = 72 and CUBA_COD = ? "
                                  "and PRBA_PREF = ?",
                                  {p.cuenta, p.chequera});
    return fila ? fila->at(0).toString() : QString();
}

void guardarEgreso(fb::Database& db, const Parametros& p, int secuencia) {
    using cxp::DataSet;
    DataSet egreso, caja, banco, contab;
    egreso.openEmpty(db, "select * from EGRESOS where 1 = 0");
    egreso.setUpdateTable("EGRESOS", {"EGRE_ID"});
    caja.openEmpty(db, "select * from EGRESOS_CAJA where 1 = 0");
    caja.setUpdateTable("EGRESOS_CAJA", {"EGRE_ID", "EGCA_ITEM"});
    banco.openEmpty(db, "select * from EGRESOS_BANCO where 1 = 0");
    banco.setUpdateTable("EGRESOS_BANCO", {"EGRE_ID"});
    contab.openEmpty(db, "select * from EGRESOS_CONTABILIDAD where 1 = 0");
    contab.setUpdateTable("EGRESOS_CONTABILIDAD", {"EGRE_ID", "EGCO_ITEM"});
    for (DataSet* d : {&caja, &banco, &contab}) egreso.addDetail(*d, {"EGRE_ID"}, {"EGRE_ID"});

    const auto numero = cxp::numeroLibreDelPrefijo(db, 62, p.prefijo);
    if (!numero) throw std::runtime_error("el prefijo de egresos no existe");
    const QDate hoy = QDate::currentDate();
    const cxp::Dinero cheque = cxp::Dinero::desdeEntero(1000 + secuencia % 100), efectivo = cxp::Dinero::desdeEntero(50);
    egreso.append();
    egreso.setValue("EGRE_ID", 0);  // held with id 0 until the save
    egreso.setValue("TIDO_COD", 62);
    for (const char* bandera : {"EGRE_ANULADO", "EGRE_TRANSMIT", "NUMOK"}) egreso.setValue(bandera, QStringLiteral("N"));
    egreso.setValue("PREF_PRE", p.prefijo);
    egreso.setValue("EGRE_NUMERO", *numero);
    egreso.setValue("EGRE_FECHA", hoy);
    egreso.setValue("TERC_NIT", p.nit);
    egreso.setValue("EGRE_TIPO", QStringLiteral("3"));
    egreso.setValue("EGRE_CONC", QStringLiteral("PAGO CONCURRENTE"));
    egreso.setValue("EGRE_MONTO", cheque + efectivo);
    egreso.post();
    caja.append();
    caja.setValue("EGCA_ITEM", 1);
    caja.setValue("CAJA_ID", 1);
    caja.setValue("FOPA_ID", 1);
    caja.setValue("EGCA_FECHA", hoy);
    caja.setValue("EGCA_MONTO", efectivo);
    caja.post();
    const QString ofrecido = chequeOfrecido(db, p);
    banco.append();
    banco.setValue("EGBC_TIPOBCO", 72);
    banco.setValue("CUBA_COD", p.cuenta);
    banco.setValue("PRBA_PREF", p.chequera);
    banco.setValue("EGBC_NUMERO", ofrecido);
    banco.setValue("EGBC_FECHA", hoy);
    banco.setValue("EGBC_MONTO", cheque);
    banco.post();
    contab.append();
    contab.setValue("EGCO_ITEM", 1);
    contab.setValue("CUEN_COD", QStringLiteral("51959501"));
    contab.setValue("EGCO_DEBITOS", cheque + efectivo);
    contab.setValue("EGCO_NIT", p.nit);
    contab.post();

    int intentos = 0;
    cxp::ApplyOptions op;
    op.maxAttempts = 400;
    op.maxDuration = std::chrono::seconds(60);
    op.beforeApply = [&](fb::Transaction& tr, int intento) {
        intentos = intento;
        if (egreso.asInt("EGRE_ID") != 0) return;  // the id of an earlier attempt is still free
        const auto id = tr.executeProcedure("CAMBIE_ID_EGRESO")["ID"];
        egreso.edit();
        egreso.setValue("EGRE_ID", id);
        egreso.post();
    };
    op.onFailure = [&](const fb::DbError& e, int) {
        if (e.kind() != fb::ErrorKind::Unique) return false;
        // Another cashier took the voucher's number meanwhile.
        const auto siguiente = cxp::numeroLibreDelPrefijo(db, 62, p.prefijo);
        if (!siguiente || *siguiente == egreso.asString("EGRE_NUMERO")) return false;
        egreso.edit();
        egreso.setValue("EGRE_NUMERO", *siguiente);
        egreso.post();
        return true;
    };
    egreso.applyUpdates(db, op);
    // The checkbook may have given another number: the screen reads it back.
    const int64_t id = egreso.asInt("EGRE_ID");
    const QString numeroCheque =
        db.queryOne("select EGBC_NUMERO from EGRESOS_BANCO where EGRE_ID = ?", {id})->at(0).toString();
    std::printf("%s %lld %s %d %s\n", qPrintable(egreso.asString("EGRE_NUMERO")), (long long)id,
                qPrintable(numeroCheque), intentos, qPrintable(ofrecido));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 9) {
        std::fprintf(stderr, "uso: %s BASE USUARIO CLAVE SEGUNDOS PREFIJO NIT CUENTA CHEQUERA\n", argv[0]);
        return 2;
    }
    const fb::ConnectionParams conexion{QString::fromUtf8(argv[1]), QString::fromUtf8(argv[2]),
                                        QString::fromUtf8(argv[3])};
    const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[4]));
    const Parametros p{QString::fromUtf8(argv[5]), QString::fromUtf8(argv[6]), QString::fromUtf8(argv[8]),
                       std::atoi(argv[7])};
    try {
        fb::Database db = fb::Database::attach(conexion);
        for (int i = 0; std::chrono::steady_clock::now() < fin; ++i) guardarEgreso(db, p, i);
    } catch (const fb::DbError& e) {
        QStringList codigos;
        for (auto c : e.gdsCodes()) codigos << QString::number(c);
        std::fprintf(stderr, "ERROR [%s] %s\n", qPrintable(codigos.join(',')), e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ERROR %s\n", e.what());
        return 1;
    }
    return 0;
}

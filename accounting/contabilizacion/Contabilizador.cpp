#include "accounting/contabilizacion/Contabilizador.h"

#include "accounting/contabilizacion/Contexto.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Reintento.h"
#include "data/fb/Database.h"

namespace cxp {

namespace {

const QString kModulo = QStringLiteral("CONTABILIDAD");
const QString kGeneral = QStringLiteral("GENERAL");
const QString kAnoNiif = QStringLiteral("ANO BALANCE DE APERTURA NIIF");

struct Resultado {
    int error = 0;
    QString ver;
    int idc = 0;
};

// One stage: the procedure's single row (the procedure writes the pending
// voucher in the caller's transaction).
std::optional<Resultado> ejecutar(fb::Transaction& tr, const QString& sql) {
    std::optional<fb::Row> fila = tr.queryOne(sql);
    if (!fila) return std::nullopt;
    Resultado r;
    const fb::Row& f = *fila;
    r.error = f[QStringLiteral("ERROR")].isNull() ? 0 : int(f[QStringLiteral("ERROR")].toInt64());
    r.ver = f[QStringLiteral("VER")].toString().trimmed();
    r.idc = f[QStringLiteral("IDC")].isNull() ? 0 : int(f[QStringLiteral("IDC")].toInt64());
    return r;
}

}  // namespace

const ClaseContabilizacion& ClaseContabilizacion::notadb() {
    static const ClaseContabilizacion c{51, QStringLiteral("contabil_notadbpr"), QStringLiteral("contabil_notadbpr_niif"),
                                        51};
    return c;
}
const ClaseContabilizacion& ClaseContabilizacion::notacr() {
    static const ClaseContabilizacion c{52, QStringLiteral("contabil_notacrpr"), QStringLiteral("contabil_notacrpr_niif"),
                                        52};
    return c;
}
const ClaseContabilizacion& ClaseContabilizacion::aplicapr() {
    static const ClaseContabilizacion c{53, QStringLiteral("contabil_aplicapr"), QStringLiteral("contabil_aplicapr_niif"),
                                        53};
    return c;
}
const ClaseContabilizacion& ClaseContabilizacion::egreso() {
    static const ClaseContabilizacion c{62, QStringLiteral("contabil_egreso"), QStringLiteral("contabil_egreso_niif"), 62};
    return c;
}
const ClaseContabilizacion* ClaseContabilizacion::deTipo(int tipo) {
    for (const ClaseContabilizacion* c : {&notadb(), &notacr(), &aplicapr(), &egreso()})
        if (c->tipo == tipo) return c;
    return nullptr;
}

Contabilizador::Contabilizador(fb::Database& compania, Interaccion& interaccion, const Configuracion& configuracion,
                               ContextoContabilizacion& contexto)
    : compania_(compania), interaccion_(interaccion), configuracion_(configuracion), contexto_(contexto) {}

int Contabilizador::contabilice_notadb(int id, int interfaz, const QDate& fecha) {
    return contabilice(ClaseContabilizacion::notadb(), id, interfaz, fecha);
}
int Contabilizador::contabilice_notacr(int id, int interfaz, const QDate& fecha) {
    return contabilice(ClaseContabilizacion::notacr(), id, interfaz, fecha);
}
int Contabilizador::contabilice_aplicapr(int id, int interfaz, const QDate& fecha) {
    return contabilice(ClaseContabilizacion::aplicapr(), id, interfaz, fecha);
}
int Contabilizador::contabilice_egreso(int id, int interfaz, const QDate& fecha) {
    return contabilice(ClaseContabilizacion::egreso(), id, interfaz, fecha);
}

// Both stages write in one transaction, committed before their errors are
// read and told: the pending voucher is made whole or not at all.
int Contabilizador::contabilice(const ClaseContabilizacion& clase, int id, int interfaz, const QDate& fecha) {
    const QString procedimiento = sql::identificador(clase.procedimiento, {clase.procedimiento});
    fb::Transaction tr(compania_);
    const std::optional<Resultado> local =
        ejecutar(tr, QStringLiteral("select * from %1(%2,%3)")
                         .arg(procedimiento, sql::numero(int64_t(id)), sql::numero(int64_t(interfaz))));
    if (!local) {
        tr.commit();
        contexto_.mostrar = false;
        return 0;
    }
    const int idc = local->idc;
    QString ver = local->ver;
    std::optional<Resultado> niif;
    if (local->error <= 0) {
        int ano = 0;
        if (anoAperturaNiif(ano) && fecha.isValid() && ano <= fecha.year()) {
            const QString procedimientoNiif = sql::identificador(clase.procedimientoNiif, {clase.procedimientoNiif});
            niif = ejecutar(tr, QStringLiteral("select * from %1(%2,%3,%4)")
                                    .arg(procedimientoNiif, sql::numero(int64_t(id)), sql::numero(int64_t(interfaz)),
                                         sql::numero(int64_t(idc))));
            if (niif) ver = niif->ver;
        }
    }
    tr.commit();
    if (local->error > 0) {
        QString m = mensajeErrores(clase.tipoErrores, id);
        if (m.isEmpty()) m = kEncabezadoErrores;
        // The NIIF stage was skipped: said, so that nobody takes the voucher
        // for complete (the review window refuses it without NIIF lines).
        bool entero = false;
        const int ano = configuracion_.buscar(kModulo, kGeneral, kAnoNiif).value_or(QString()).trimmed().toInt(&entero);
        if (entero && fecha.isValid() && ano <= fecha.year()) m += kNiifOmitido;
        interaccion_.error(m);
    } else if (niif && niif->error > 0) {
        const QString m = mensajeErrores(kTipoErroresNiif, id);
        interaccion_.error(m.isEmpty() ? kEncabezadoErrores : m);
    }
    contexto_.mostrar = ver == QLatin1String("S");
    return idc;
}

QString Contabilizador::mensajeErrores(int tipoErrores, int id) {
    const std::vector<fb::Row> filas = compania_.query(
        QStringLiteral("select erro_codigo, erro_cadena from errores where erro_tipodoc = ") +
        sql::numero(int64_t(tipoErrores)) + QStringLiteral(" and erro_iddoc = ") + sql::numero(int64_t(id)) +
        QStringLiteral(" order by erro_id"));
    if (filas.empty()) return {};
    QString m = kEncabezadoErrores;
    for (const fb::Row& f : filas) m += f[0].toString() + QLatin1Char(':') + f[1].toString() + QLatin1Char(' ');
    return m;
}

// Two clerks finishing on one accounting prefix: the second waits for the
// prefix row and then meets an update conflict; it tries again and gets
// the next number.
void Contabilizador::contabiliza_pendiente(int idcnt) {
    conReintento(compania_, [idcnt](fb::Transaction& tr) {
        tr.execute(QStringLiteral("EXECUTE PROCEDURE CONTABILIZA_PENDIENTE(") + sql::numero(int64_t(idcnt)) +
                   QLatin1Char(')'));
    });
}

bool Contabilizador::anoAperturaNiif(int& ano) {
    const std::optional<QString> valor = configuracion_.buscar(kModulo, kGeneral, kAnoNiif);
    if (!valor) {
        configuracion_.valor(kModulo, kGeneral, kAnoNiif);  // its own "not found" message
        return false;
    }
    bool ok = false;
    ano = valor->trimmed().toInt(&ok);
    if (!ok) {
        interaccion_.error(QStringLiteral("El año de apertura NIIF configurado (\"%1\") no es un número entero: "
                                          "el comprobante NIIF no se generó.")
                               .arg(*valor));
        return false;
    }
    return true;
}

}  // namespace cxp

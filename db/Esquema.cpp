#include "db/Esquema.h"

#include "base/Sql.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

static void initRecursos() { Q_INIT_RESOURCE(esquema_sql); }

namespace cxp::esquema {

namespace {

QString carpeta(Base base) { return base == Base::General ? QStringLiteral("general") : QStringLiteral("compania"); }

QString leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        throw fb::DbError(fb::ErrorKind::Other, QStringLiteral("No se encontró el guion %1").arg(ruta));
    return QString::fromUtf8(f.readAll());
}

fb::DbError enGuion(const QString& guion, int n, const QString& sentencia, const fb::DbError& e) {
    return fb::DbError(e.kind(),
                       QStringLiteral("%1, sentencia %2: %3\n%4").arg(guion).arg(n).arg(e.text(), sentencia.left(300)),
                       e.gdsCodes(), e.sqlCode());
}

}  // namespace

std::vector<Guion> guiones(Base base) {
    initRecursos();
    QDir dir(QStringLiteral(":/db/") + carpeta(base));
    std::vector<Guion> lista;
    for (const QString& nombre : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        lista.push_back({carpeta(base) + QLatin1Char('/') + nombre, leer(dir.filePath(nombre))});
    return lista;
}

Guion guionDemo(Base base) {
    initRecursos();
    const QString nombre = QStringLiteral("demo/") + carpeta(base) + QStringLiteral(".sql");
    QString texto = leer(QStringLiteral(":/db/") + nombre);
    // Each subsystem keeps its demo rows in its own file of demo/<base>/,
    // loaded after the main one in name order.
    QDir partes(QStringLiteral(":/db/demo/") + carpeta(base));
    for (const QString& parte : partes.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        texto += QLatin1Char('\n') + leer(partes.filePath(parte));
    return {nombre, texto};
}

QStringList dividir(const QString& guion) {
    QStringList sentencias;
    QString terminador = QStringLiteral(";");
    QString actual;
    static const QRegularExpression setTerm(QStringLiteral("^SET\\s+TERM\\s+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression commit(QStringLiteral("^COMMIT(\\s+WORK)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    auto cerrar = [&] {
        const QString s = actual.trimmed();
        actual.clear();
        if (s.isEmpty()) return;
        if (auto m = setTerm.match(s); m.hasMatch()) {
            terminador = m.captured(1);
            return;
        }
        if (commit.match(s).hasMatch()) return;
        sentencias << s;
    };
    const qsizetype n = guion.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = guion[i];
        if (c == QLatin1Char('-') && i + 1 < n && guion[i + 1] == QLatin1Char('-')) {
            while (i < n && guion[i] != QLatin1Char('\n')) ++i;  // line comment: dropped
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && guion[i + 1] == QLatin1Char('*')) {
            const qsizetype fin = guion.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype hasta = fin < 0 ? n : fin + 2;
            actual += guion.mid(i, hasta - i);
            i = hasta;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (guion[j] == c) {
                    if (j + 1 < n && guion[j + 1] == c) {
                        j += 2;  // doubled quote inside the text
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype hasta = std::min(n, j + 1);
            actual += guion.mid(i, hasta - i);
            i = hasta;
            continue;
        }
        if (QStringView(guion).mid(i).startsWith(terminador, Qt::CaseInsensitive)) {
            cerrar();
            i += terminador.size();
            continue;
        }
        actual += c;
        ++i;
    }
    cerrar();
    return sentencias;
}

void ejecutar(fb::Database& db, const Guion& guion) {
    int n = 0;
    for (const QString& s : dividir(guion.texto)) {
        ++n;
        try {
            db.executeDirect(s);
        } catch (const fb::DbError& e) {
            throw enGuion(guion.nombre, n, s, e);
        }
    }
}

namespace {

// Plain names of the user objects of one kind, from the catalogue.
QStringList nombres(fb::Database& db, const char* consulta) {
    QStringList r;
    for (const fb::Row& f : db.query(QString::fromLatin1(consulta))) {
        const QString nombre = f[0].toString().trimmed();
        if (sql::esIdentificador(nombre)) r << nombre;  // only plain names reach the SQL
    }
    return r;
}

// A REVOKE of what was never granted is no failure.
void revocar(fb::Database& db, const QString& sentencia) {
    try {
        db.executeDirect(sentencia);
    } catch (const fb::DbError&) {
    }
}

}  // namespace

QStringList tablasProtegidas(Base base) {
    if (base == Base::General) return {QStringLiteral("USUARIO"), QStringLiteral("VERSION_ESQUEMA")};
    return QStringList{QStringLiteral("USUARIO"), QStringLiteral("ACCESO_USUARIO"), QStringLiteral("CONFIGURACION"),
                       QStringLiteral("AUTORIZACIONES"), QStringLiteral("VERSION_ESQUEMA"), QStringLiteral("AUDITORIA"),
                       QStringLiteral("REPLICA_COMPRAS"), QStringLiteral("PROCEDIMIENTOS_USUARIO")} +
           tablasReservadas(base);
}

QStringList tablasReservadas(Base base) {
    if (base == Base::General) return {};
    return {QStringLiteral("CONFIGURACION_RESERVADA"), QStringLiteral("AUTORIZACIONES_CLAVE")};
}

QStringList procedimientosInternos(Base base) {
    if (base == Base::General) return {};
    return {QStringLiteral("AUDITE_DOCUMENTO"), QStringLiteral("AUDITE_CAMBIO"), QStringLiteral("AUDITE_MAESTRO"),
            QStringLiteral("REPLICA_ACCESO"), QStringLiteral("ANULACION_CXPAGAR")};
}

void otorgarDerechos(fb::Database& db, Base base) {
    const QStringList protegidas = tablasProtegidas(base), reservadas = tablasReservadas(base);
    for (const QString& t : nombres(db, "select rdb$relation_name from rdb$relations where coalesce(rdb$system_flag, 0) = 0")) {
        if (!protegidas.contains(t)) {
            db.executeDirect(QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE, REFERENCES ON %1 TO PUBLIC").arg(t));
            continue;
        }
        // Read-only to ordinary logins; the audit reason is theirs to write;
        // the secrets are not theirs to read at all.
        revocar(db, QStringLiteral("REVOKE ALL ON %1 FROM PUBLIC").arg(t));
        if (reservadas.contains(t)) continue;
        db.executeDirect(QStringLiteral("GRANT SELECT ON %1 TO PUBLIC").arg(t));
        if (t == QLatin1String("AUDITORIA"))
            db.executeDirect(QStringLiteral("GRANT UPDATE (AUDI_RAZON) ON AUDITORIA TO PUBLIC"));
    }
    // The triggers and procedures that write a protected table hold the
    // privilege themselves: what they do is what the program allows.
    const QString dependientes = QStringLiteral(
        "select distinct trim(d.rdb$dependent_name), d.rdb$dependent_type, trim(d.rdb$depended_on_name) "
        "from rdb$dependencies d where d.rdb$depended_on_type = 0 and d.rdb$dependent_type in (2, 5)");
    for (const fb::Row& f : db.query(dependientes)) {
        const QString objeto = f[0].toString(), tabla = f[2].toString();
        if (!protegidas.contains(tabla) || !sql::esIdentificador(objeto)) continue;
        db.executeDirect(QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON %1 TO %2 %3")
                             .arg(tabla, f[1].toInt64() == 2 ? QStringLiteral("TRIGGER") : QStringLiteral("PROCEDURE"),
                                  objeto));
    }
    // The audit procedures, the one that hands out the replication login and
    // the annulment of a document's ledger voucher are called by the triggers
    // and procedures alone: a login calling them by hand could add audit
    // rows, read the secret or take a live document's voucher out of the
    // books.
    const QStringList internos = procedimientosInternos(base);
    for (const QString& p : nombres(db, "select rdb$procedure_name from rdb$procedures where coalesce(rdb$system_flag, 0) = 0")) {
        if (!internos.contains(p)) {
            db.executeDirect(QStringLiteral("GRANT EXECUTE ON PROCEDURE %1 TO PUBLIC").arg(p));
            continue;
        }
        revocar(db, QStringLiteral("REVOKE EXECUTE ON PROCEDURE %1 FROM PUBLIC").arg(p));
    }
    const QString llamadores = QStringLiteral(
        "select distinct trim(d.rdb$dependent_name), d.rdb$dependent_type, trim(d.rdb$depended_on_name) "
        "from rdb$dependencies d where d.rdb$depended_on_type = 5 and d.rdb$dependent_type in (2, 5)");
    for (const fb::Row& f : db.query(llamadores)) {
        const QString objeto = f[0].toString(), procedimiento = f[2].toString();
        if (!internos.contains(procedimiento) || !sql::esIdentificador(objeto)) continue;
        db.executeDirect(QStringLiteral("GRANT EXECUTE ON PROCEDURE %1 TO %2 %3")
                             .arg(procedimiento, f[1].toInt64() == 2 ? QStringLiteral("TRIGGER") : QStringLiteral("PROCEDURE"),
                                  objeto));
    }
    for (const QString& g : nombres(db, "select rdb$generator_name from rdb$generators where coalesce(rdb$system_flag, 0) = 0"))
        db.executeDirect(QStringLiteral("GRANT USAGE ON SEQUENCE %1 TO PUBLIC").arg(g));
    for (const QString& e : nombres(db, "select rdb$exception_name from rdb$exceptions where coalesce(rdb$system_flag, 0) = 0"))
        db.executeDirect(QStringLiteral("GRANT USAGE ON EXCEPTION %1 TO PUBLIC").arg(e));
    // The general database knows its administrators.
    if (base == Base::General)
        for (const fb::Row& f : db.query(QStringLiteral("select trim(USUA_COD) from USUARIO where USUA_ADMIN = 'S'")))
            otorgarAdministrador(db, base, f[0].toString());
}

void otorgarAdministrador(fb::Database& db, Base base, const QString& usuario) {
    if (!sql::esIdentificador(usuario)) return;
    for (const QString& t : tablasProtegidas(base))
        db.executeDirect(QStringLiteral("GRANT ALL ON %1 TO USER \"%2\"").arg(t, usuario.toUpper()));  // quoted: ADMIN is a keyword
}

namespace {

bool hayTabla(fb::Database& db, const char* nombre) {
    return db.queryOne(QStringLiteral("select 1 from rdb$relations where rdb$relation_name = ?"), {QString::fromLatin1(nombre)})
        .has_value();
}

}  // namespace

QStringList aplicar(fb::Database& db, const std::vector<Guion>& lista, const Aviso& aviso) {
    if (!hayTabla(db, "VERSION_ESQUEMA"))
        db.executeDirect(
            "create table VERSION_ESQUEMA (VERS_GUION varchar(120) not null primary key, "
            "VERS_FECHA timestamp default current_timestamp not null)");
    // The last statement done of a script that stopped half-way.
    if (!hayTabla(db, "VERSION_ESQUEMA_PASO"))
        db.executeDirect(
            "create table VERSION_ESQUEMA_PASO (VEPA_GUION varchar(120) not null primary key, "
            "VEPA_SENTENCIA integer not null)");
    QStringList hechos;
    for (const fb::Row& r : db.query("select VERS_GUION from VERSION_ESQUEMA")) hechos << r[0].toString();
    QHash<QString, int> pasos;
    for (const fb::Row& r : db.query("select VEPA_GUION, VEPA_SENTENCIA from VERSION_ESQUEMA_PASO"))
        pasos.insert(r[0].toString(), int(r[1].toInt64()));

    QStringList aplicados;
    for (const Guion& g : lista) {
        if (hechos.contains(g.nombre)) continue;
        const int desde = pasos.value(g.nombre, 0);
        if (aviso)
            aviso(desde ? QStringLiteral("continuando %1 después de la sentencia %2").arg(g.nombre).arg(desde)
                        : QStringLiteral("aplicando %1").arg(g.nombre));
        const QStringList sentencias = dividir(g.texto);
        // Each statement commits with the record of it, so that a script
        // that fails at statement k goes on from k once the cause is fixed.
        for (int n = desde + 1; n <= sentencias.size(); ++n) {
            const QString& s = sentencias[n - 1];
            try {
                fb::Transaction tr = db.begin();
                tr.execute(s);
                tr.execute(QStringLiteral("update or insert into VERSION_ESQUEMA_PASO (VEPA_GUION, VEPA_SENTENCIA) "
                                          "values (?, ?) matching (VEPA_GUION)"),
                           {g.nombre, n});
                tr.commit();
            } catch (const fb::DbError& e) {
                throw enGuion(g.nombre, n, s, e);
            }
        }
        fb::Transaction tr = db.begin();
        tr.execute(QStringLiteral("insert into VERSION_ESQUEMA (VERS_GUION) values (?)"), {g.nombre});
        tr.execute(QStringLiteral("delete from VERSION_ESQUEMA_PASO where VEPA_GUION = ?"), {g.nombre});
        tr.commit();
        aplicados << g.nombre;
    }
    return aplicados;
}

QStringList actualizar(fb::Database& db, Base base, const Aviso& aviso) {
    const QStringList aplicados = aplicar(db, guiones(base), aviso);
    otorgarDerechos(db, base);
    return aplicados;
}

}  // namespace cxp::esquema

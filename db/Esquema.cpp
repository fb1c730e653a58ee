#include "db/Esquema.h"

#include "base/Sql.h"

#include <QDir>
#include <QFile>
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

void otorgarPublico(fb::Database& db) {
    struct Clase {
        const char* consulta;
        const char* plantilla;
    };
    const Clase clases[] = {
        {"select rdb$relation_name from rdb$relations where coalesce(rdb$system_flag, 0) = 0",
         "GRANT ALL ON %1 TO PUBLIC"},
        {"select rdb$procedure_name from rdb$procedures where coalesce(rdb$system_flag, 0) = 0",
         "GRANT EXECUTE ON PROCEDURE %1 TO PUBLIC"},
        {"select rdb$generator_name from rdb$generators where coalesce(rdb$system_flag, 0) = 0",
         "GRANT USAGE ON SEQUENCE %1 TO PUBLIC"},
        {"select rdb$exception_name from rdb$exceptions where coalesce(rdb$system_flag, 0) = 0",
         "GRANT USAGE ON EXCEPTION %1 TO PUBLIC"},
    };
    for (const Clase& c : clases) {
        for (const fb::Row& r : db.query(QString::fromLatin1(c.consulta))) {
            const QString nombre = r[0].toString().trimmed();
            // Names come from the catalogue; only plain ones reach the SQL.
            if (!sql::esIdentificador(nombre)) continue;
            db.executeDirect(QString::fromLatin1(c.plantilla).arg(nombre));
        }
    }
}

QStringList actualizar(fb::Database& db, Base base, const Aviso& aviso) {
    const bool hayTabla =
        db.queryOne("select 1 from rdb$relations where rdb$relation_name = 'VERSION_ESQUEMA'").has_value();
    if (!hayTabla)
        db.executeDirect(
            "create table VERSION_ESQUEMA (VERS_GUION varchar(120) not null primary key, "
            "VERS_FECHA timestamp default current_timestamp not null)");
    QStringList hechos;
    for (const fb::Row& r : db.query("select VERS_GUION from VERSION_ESQUEMA")) hechos << r[0].toString();

    QStringList aplicados;
    for (const Guion& g : guiones(base)) {
        if (hechos.contains(g.nombre)) continue;
        if (aviso) aviso(QStringLiteral("aplicando %1").arg(g.nombre));
        ejecutar(db, g);
        db.executeDirect("insert into VERSION_ESQUEMA (VERS_GUION) values (?)", {g.nombre});
        aplicados << g.nombre;
    }
    otorgarPublico(db);
    return aplicados;
}

}  // namespace cxp::esquema

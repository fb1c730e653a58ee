#pragma once
// The SQL of the general and company databases, embedded in the programs,
// and the applier that brings a database up to date with it.
#include "data/fb/Database.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace cxp::esquema {

enum class Base { General, Compania };

struct Guion {
    QString nombre;  // "compania/003_numeracion.sql"
    QString texto;
};

// The scripts of a database, in the order they are applied.
std::vector<Guion> guiones(Base base);
// The demo data of a database: demo/<base>.sql followed by the files of
// demo/<base>/ in name order, as one script.
Guion guionDemo(Base base);

// Splits a script in isql syntax into statements: ';' ends a statement,
// SET TERM changes the terminator for PSQL bodies, comments and quoted text
// are respected. COMMIT lines are dropped: the applier commits each statement.
QStringList dividir(const QString& guion);

using Aviso = std::function<void(const QString&)>;

// Applies the scripts of `lista` not yet recorded in VERSION_ESQUEMA. Each
// statement commits together with the record of it (VERSION_ESQUEMA_PASO):
// a script that fails at statement k keeps statements 1..k-1 and, once the
// cause is fixed, the next run goes on from k. On a failure throws
// fb::DbError naming the script and statement. Returns the names applied.
QStringList aplicar(fb::Database& db, const std::vector<Guion>& lista, const Aviso& aviso = {});
// aplicar with the database's own scripts, then the grants (otorgarDerechos).
QStringList actualizar(fb::Database& db, Base base, const Aviso& aviso = {});

// Runs one script's statements (used for the demo data).
void ejecutar(fb::Database& db, const Guion& guion);

// The tables ordinary logins may only read: users, rights, settings,
// numbering authorizations, the schema's record, the sister companies the
// creditors are copied to, the audit trail (of which they may write
// AUDI_RAZON alone), and the secrets (tablasReservadas).
QStringList tablasProtegidas(Base base);
// Of those, the secrets: not even readable by ordinary logins, who reach
// them only through the procedures that use them.
QStringList tablasReservadas(Base base);
// Procedures only the triggers and procedures that call them may execute:
// the audit writers, and the one that hands out the replication login.
QStringList procedimientosInternos(Base base);
// The rights model (db/README.md): every other table to PUBLIC for reading
// and writing; the protected ones read-only to PUBLIC and writable by the
// triggers and procedures that write them; EXECUTE and USAGE on every
// procedure, sequence and exception. In the general database, the users
// marked USUA_ADMIN get otorgarAdministrador.
void otorgarDerechos(fb::Database& db, Base base);
// An administrator's login may write the protected tables too.
void otorgarAdministrador(fb::Database& db, Base base, const QString& usuario);

}  // namespace cxp::esquema

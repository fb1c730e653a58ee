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

// Applies the scripts not yet recorded in VERSION_ESQUEMA, each statement
// committed on its own, then grants every object to PUBLIC. Returns the names
// applied. On a failure throws fb::DbError naming the script and statement;
// the scripts applied before it stay recorded.
QStringList actualizar(fb::Database& db, Base base, const Aviso& aviso = {});

// Runs one script's statements (used for the demo data).
void ejecutar(fb::Database& db, const Guion& guion);

// GRANT ALL / EXECUTE / USAGE on every user object to PUBLIC.
void otorgarPublico(fb::Database& db);

}  // namespace cxp::esquema

#pragma once
// Scratch databases for tests: each lives in its own temporary folder that
// is removed, files and all, when the object goes.
#include "data/fb/Database.h"

#include <QTemporaryDir>

namespace prueba {

// Creates an empty database whose pages the engine leaves to the operating
// system's cache instead of syncing each one (gfix -write async): a scratch
// file needs no crash safety, and copies keep the setting. Several times
// faster on a busy disk; without gfix the file simply stays synced.
void crearSinEscrituraForzada(const fb::ConnectionParams& params);

class BaseTemporal {
public:
    // An empty database, or a copy of `plantilla` when given.
    explicit BaseTemporal(const QString& plantilla = {});
    ~BaseTemporal();

    const QString& ruta() const { return ruta_; }
    QString carpeta() const { return dir_.path(); }
    fb::ConnectionParams params(const QString& usuario = QStringLiteral("SYSDBA")) const;
    fb::Database conectar(const QString& usuario = QStringLiteral("SYSDBA")) const;

private:
    QTemporaryDir dir_;
    QString ruta_;
};

}  // namespace prueba

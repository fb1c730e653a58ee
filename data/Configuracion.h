#pragma once
// The CONFIGURACION table, loaded whole into memory after the company
// connection opens; every lookup searches the copy. Keys are exact and
// case-sensitive.
#include "data/fb/Database.h"

#include <QHash>
#include <QString>
#include <optional>

namespace cxp {

class Interaccion;

class Configuracion {
public:
    explicit Configuracion(Interaccion& interaccion) : interaccion_(interaccion) {}

    // cargue_configuracion: (re)loads the copy from "SELECT * FROM CONFIGURACION".
    // A load that fails throws its DbError and keeps the previous copy.
    void cargar(fb::Database& compania);

    // configuracion(modulo, categoria, propiedad): the value, or the error
    // message "No se encontró la configuración " + property and an empty text.
    QString valor(const QString& modulo, const QString& categoria, const QString& propiedad) const;
    // The same without the message.
    std::optional<QString> buscar(const QString& modulo, const QString& categoria, const QString& propiedad) const;
    // The value as a whole number; a missing key gives the message and an
    // empty or non-numeric value throws std::invalid_argument naming the key.
    int entero(const QString& modulo, const QString& categoria, const QString& propiedad) const;

    // Sets a value in the copy only, not in the table: for tests, and for a
    // screen that has just stored the same value in the table.
    void asignar(const QString& modulo, const QString& categoria, const QString& propiedad, const QString& valor);

    int cantidad() const { return int(valores_.size()); }

private:
    static QString clave(const QString& modulo, const QString& categoria, const QString& propiedad);
    Interaccion& interaccion_;
    QHash<QString, QString> valores_;
};

}  // namespace cxp

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
    void cargar(fb::Database& compania);

    // configuracion(modulo, categoria, propiedad): the value, or the message
    // "No se encontró la configuración " + property and an empty text.
    QString valor(const QString& modulo, const QString& categoria, const QString& propiedad) const;
    // The same without the message.
    std::optional<QString> buscar(const QString& modulo, const QString& categoria, const QString& propiedad) const;
    // The value as a whole number; a missing key gives the message and an
    // empty or non-numeric value throws std::invalid_argument naming the key.
    int entero(const QString& modulo, const QString& categoria, const QString& propiedad) const;

    int cantidad() const { return int(valores_.size()); }

private:
    Interaccion& interaccion_;
    QHash<QString, QString> valores_;
};

}  // namespace cxp

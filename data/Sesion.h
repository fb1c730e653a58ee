#pragma once
// The session every screen reads: who works, in which company and agency,
// and the two open connections. Written at start-up (and by the period
// operations); screens never change it.
#include "data/fb/Database.h"

#include <QByteArray>
#include <QString>

namespace cxp {

struct Sesion {
    QString modulo_actual = QStringLiteral("C. X PAGAR");
    QString usuario_actual;  // USER_COD of the company's usuario row
    QString nombre_usuario;  // USUA_NOMBRE of the general USUARIO row
    bool es_administrador = false;
    QString compania_actual;  // command-line company code

    // The company's printed data.
    QString compania_nombre;
    QString compania_direccion;
    QString compania_telefonos;
    QString compania_encabezado;
    QByteArray compania_logo;  // image file bytes as stored in COMP_LOGO

    int agencia_actual = 0;  // SUCU_ID; 0 = none
    QString agencia_texto;   // "2-Centro"

    int duracion_busquedas = 0;  // milliseconds
    QString separador_ruta = QStringLiteral("/");
    QString color_ventana;        // decimal integer, platform colour encoding
    QString color_final_ventana;

    // Payment vouchers of this program pay creditors only.
    bool solo_pagos_acreedores = true;

    QString directorio;  // installation directory
    QString ubicacion;   // database location
    QString fecha_revision;

    // The connections, opened with the person's own login.
    fb::Database compania;  // "Quelmar"
    fb::Database general;   // "ConGeneral"
    // A second attachment of the company, opened at login with the same
    // login, for the thread that runs a report: an attachment serves one
    // thread at a time, and the password is not kept to open one later.
    // A report takes it while it runs and gives it back.
    fb::Database informes;
};

}  // namespace cxp

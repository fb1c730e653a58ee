#pragma once
// A scratch company database (a copy of the program's template) and what one
// running program holds: the session with its connection, the scripted
// Interaccion, the error handler and the configuration. The helpers write
// and read the company with the owner's login, apart from the session's.
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace prueba {

class EntornoCompania : public ::testing::Test {
protected:
    BaseTemporal compania{plantillaCompania()};
    InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};
    cxp::Configuracion configuracion{interaccion};

    // The administrator's session, in agency `agencia`.
    void entrar(int agencia = 0) {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.agencia_actual = agencia;
        sesion.compania = compania.conectar();
        configuracion.cargar(sesion.compania);
    }
    int64_t ejecutar(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        fb::Database db = compania.conectar();
        return db.executeDirect(sql, params);
    }
    std::vector<fb::Row> filas(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        fb::Database db = compania.conectar();
        return db.query(sql, params);
    }
    std::optional<fb::Row> fila(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        fb::Database db = compania.conectar();
        return db.queryOne(sql, params);
    }
    int64_t contar(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        return fila(sql, params)->at(0).toInt64();
    }
    // The first column of the first row as text, trimmed; empty without rows.
    QString escalar(const QString& sql) const {
        const auto f = fila(sql);
        return f && !f->at(0).isNull() ? f->at(0).toString().trimmed() : QString();
    }
    QString mensajes() const { return interaccion.mensajes.join(u'\n'); }
};

}  // namespace prueba

#pragma once
// A scripted Interaccion for tests: records every message and request, and
// answers questions and pickers from queues (a question without a scripted
// answer is a test failure, answered No).
#include "data/Interaccion.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

namespace prueba {

class InteraccionGrabada : public cxp::Interaccion {
public:
    // Every message as "tipo: texto" (informacion, error, advertencia,
    // mensaje_error, pregunta, reintentar), in order.
    QStringList mensajes;
    QStringList enfoques;
    QStringList pantallas;  // screens opened, by class name
    std::vector<QVariantMap> argumentosPantallas;
    int pitidos = 0;

    std::deque<bool> respuestas;                            // for preguntar / reintentar
    std::deque<std::optional<QVariantMap>> elecciones;      // for elegir
    QStringList pantallasExistentes;  // abrirPantalla returns true only for these

    void informacion(const QString& t) override { mensajes << "informacion: " + t; }
    void error(const QString& t) override { mensajes << "error: " + t; }
    void advertencia(const QString& t) override { mensajes << "advertencia: " + t; }
    void mensaje_error(const QString& t) override {
        ++pitidos;
        mensajes << "mensaje_error: " + t;
    }
    bool preguntar(const QString& t) override {
        mensajes << "pregunta: " + t;
        return responder(t);
    }
    bool reintentar(const QString& t) override {
        mensajes << "reintentar: " + t;
        return responder(t);
    }
    void pitar() override { ++pitidos; }
    void enfocar(const QString& campo) override { enfoques << campo; }
    bool abrirPantalla(const QString& p, const QVariantMap& a) override {
        pantallas << p;
        argumentosPantallas.push_back(a);
        return pantallasExistentes.contains(p);
    }
    std::optional<QVariantMap> elegir(const QString& selector, const QVariantMap&) override {
        pantallas << selector;
        if (elecciones.empty()) return std::nullopt;
        auto e = elecciones.front();
        elecciones.pop_front();
        return e;
    }

    // Messages of one kind, texts only.
    QStringList de(const QString& tipo) const {
        QStringList r;
        for (const QString& m : mensajes)
            if (m.startsWith(tipo + ": ")) r << m.mid(tipo.size() + 2);
        return r;
    }

private:
    bool responder(const QString& t) {
        if (respuestas.empty()) {
            ADD_FAILURE() << "pregunta sin respuesta: " << t.toStdString();
            return false;
        }
        const bool r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
};

}  // namespace prueba

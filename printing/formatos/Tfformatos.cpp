#include "printing/formatos/Tfformatos.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

AvisoFormatos& AvisoFormatos::instancia() {
    static AvisoFormatos a;
    return a;
}

Tfformatos::Tfformatos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    connect(&AvisoFormatos::instancia(), &AvisoFormatos::cambiaron, this, [this] {
        if (formatos_.isOpen()) refrescar();
    });
}

bool Tfformatos::abrir() {
    return manejador_.proteger([this] {
        formatos_.open(sesion_.compania,
                       QStringLiteral("select f.tido_cod, tido_nomlargo, pref_pre from formatos f, tipo_documento t "
                                      "where f.tido_cod = t.tido_cod and t.tido_modulo = 'CXPAGAR' "
                                      "order by f.tido_cod, pref_pre"));
        formatos_.field(QStringLiteral("TIDO_COD")).setVisible(false);
        formatos_.field(QStringLiteral("TIDO_NOMLARGO")).setLabel(QStringLiteral("Tipo documento"));
        formatos_.field(QStringLiteral("PREF_PRE")).setLabel(QStringLiteral("Prefijo"));
        for (int i = 0; i < formatos_.fieldCount(); ++i) formatos_.field(i).setReadOnly(true);
    });
}

void Tfformatos::refrescar() {
    const bool habia = !formatos_.isEmpty();
    const fb::Value tipo = habia ? formatos_.value(QStringLiteral("TIDO_COD")) : fb::Value();
    const fb::Value prefijo = habia ? formatos_.value(QStringLiteral("PREF_PRE")) : fb::Value();
    if (!abrir()) return;
    if (habia) formatos_.locate({QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")}, {tipo, prefijo});
}

void Tfformatos::nuevo() { interaccion_.abrirPantalla(QString::fromLatin1(kNueva)); }

void Tfformatos::modificar() {
    if (formatos_.isEmpty()) return;
    interaccion_.abrirPantalla(QString::fromLatin1(kModificar),
                               {{QStringLiteral("tipo"), int(formatos_.asInt(QStringLiteral("TIDO_COD")))},
                                {QStringLiteral("prefijo"), formatos_.asString(QStringLiteral("PREF_PRE"))}});
}

bool Tfformatos::eliminar() {
    if (formatos_.isEmpty()) return false;
    const int64_t tipo = formatos_.asInt(QStringLiteral("TIDO_COD"));
    const QString prefijo = formatos_.asString(QStringLiteral("PREF_PRE"));
    if (!interaccion_.preguntar(QStringLiteral("Esta seguro de borrar el formato de ") +
                                formatos_.asString(QStringLiteral("TIDO_NOMLARGO")) + u' ' + prefijo + u'?'))
        return false;
    try {
        sesion_.compania.executeDirect(QStringLiteral("delete from formatos where tido_cod = ") + sql::numero(tipo) +
                                       QStringLiteral(" and pref_pre = ") + sql::texto(prefijo));
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, QStringLiteral("Formatos"));
        return false;
    }
    emit AvisoFormatos::instancia().cambiaron();  // this list too
    return true;
}

QStringList Tfformatos::prefijosCopia() {
    QStringList r;
    if (formatos_.isEmpty()) return r;
    manejador_.proteger([&] {
        for (const fb::Row& f : sesion_.compania.query(QStringLiteral("select pref_pre from prefijos where tido_cod = ") +
                                                       sql::numero(formatos_.asInt(QStringLiteral("TIDO_COD"))) +
                                                       QStringLiteral(" order by pref_pre")))
            r << f[0].toString();
    });
    return r;
}

bool Tfformatos::copiar(const QString& nuevoPrefijo) {
    if (formatos_.isEmpty() || nuevoPrefijo.trimmed().isEmpty()) return false;
    const QString tipo = sql::numero(formatos_.asInt(QStringLiteral("TIDO_COD")));
    const QString viejo = sql::texto(formatos_.asString(QStringLiteral("PREF_PRE")));
    const QString nuevo = sql::texto(nuevoPrefijo.trimmed());
    const QString donde = QStringLiteral(" WHERE TIDO_COD = ") + tipo + QStringLiteral(" AND PREF_PRE = ") + viejo;
    const QString sentencias[] = {
        QStringLiteral("INSERT INTO FORMATOS (TIDO_COD, PREF_PRE, FORM_IMPRE, FORM_NROITEMS, FORM_PAGINAS, "
                       "FORM_ENTRELINEA, FORM_FONT, FORM_FSIZE, FORM_PAPELAN, FORM_PAPELAL, FORM_PREFITE) SELECT TIDO_COD, ") +
            nuevo +
            QStringLiteral(", FORM_IMPRE, FORM_NROITEMS, FORM_PAGINAS, FORM_ENTRELINEA, FORM_FONT, FORM_FSIZE, "
                           "FORM_PAPELAN, FORM_PAPELAL, FORM_PREFITE FROM FORMATOS") +
            donde,
        QStringLiteral("INSERT INTO FORMATO_DATOS (TIDO_COD, PREF_PRE, DAFO_ITEM, DAFO_DATO, DAFO_IMPRIME, DAFO_POSX, "
                       "DAFO_POSY, DAFO_REPITE, DAFO_INI, DAFO_LONG, DAFO_FORMATO, DAFO_FONT, DAFO_FSIZE, DAFO_LIQUIDA, "
                       "DAFO_POSYVAR) SELECT TIDO_COD, ") +
            nuevo +
            QStringLiteral(", DAFO_ITEM, DAFO_DATO, DAFO_IMPRIME, DAFO_POSX, DAFO_POSY, DAFO_REPITE, DAFO_INI, "
                           "DAFO_LONG, DAFO_FORMATO, DAFO_FONT, DAFO_FSIZE, DAFO_LIQUIDA, DAFO_POSYVAR FROM FORMATO_DATOS") +
            donde,
        QStringLiteral("INSERT INTO FORMATO_LINEAS (TIDO_COD, PREF_PRE, FOLI_ITEM, FOLI_TIPO, FOLI_POSX, FOLI_POSY, "
                       "FOLI_X, FOLI_Y, FOLI_CADENA, FOLI_FONT, FOLI_FSIZE, FOLI_LIQUIDA, FOLI_IMAGEN) SELECT TIDO_COD, ") +
            nuevo +
            QStringLiteral(", FOLI_ITEM, FOLI_TIPO, FOLI_POSX, FOLI_POSY, FOLI_X, FOLI_Y, FOLI_CADENA, FOLI_FONT, "
                           "FOLI_FSIZE, FOLI_LIQUIDA, FOLI_IMAGEN FROM FORMATO_LINEAS") +
            donde,
    };
    try {
        fb::Transaction tr(sesion_.compania);
        for (const QString& s : sentencias) tr.execute(s);
        tr.commit();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, QStringLiteral("Formatos"));
        return false;
    }
    emit AvisoFormatos::instancia().cambiaron();  // this list too
    return true;
}

void Tfformatos::salir() { emit cerrar(); }

}  // namespace cxp
